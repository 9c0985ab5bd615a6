#pragma once

#include "pages/core/pageslayer.h"

#include "link/core/settingsrecord.h"

#include <QByteArray>

namespace telvio {

// The fields of the Basic page's 80-byte record, as profile files carry it.
// List fields hold list positions; bytes 52 to 79 are reserved and are
// never touched by the page.
namespace basicfield {
constexpr int AutoPinEnabled = 0;
constexpr int AutoPinCode = 4;  // 8 bytes
constexpr int AutoPinCodeWidth = 8;
constexpr int Compression = 12;
constexpr int ErrorCorrection = 16;
constexpr int BearerCe = 20;
constexpr int BearerSpeed = 24;
constexpr int ResetDelay = 28;  // 12 bytes, "hhh:mm"
constexpr int ResetDelayWidth = 12;
constexpr int ResetEnabled = 40;
constexpr int Rings = 44;
constexpr int StatusLed = 48;   // only the low byte counts
} // namespace basicfield

// Typed access to a Basic record.
class BasicRecordView {
public:
    explicit BasicRecordView(BasicSettingsRecord &record) : m_r(record) {}

    int AutoPinEnabled() const { return m_r.Int(basicfield::AutoPinEnabled); }
    void SetAutoPinEnabled(int v) { m_r.SetInt(basicfield::AutoPinEnabled, v); }
    QByteArray AutoPinCode() const { return m_r.Text(basicfield::AutoPinCode, basicfield::AutoPinCodeWidth); }
    void SetAutoPinCode(const QByteArray &v) { m_r.SetText(basicfield::AutoPinCode, basicfield::AutoPinCodeWidth, v); }
    int Compression() const { return m_r.Int(basicfield::Compression); }
    void SetCompression(int v) { m_r.SetInt(basicfield::Compression, v); }
    int ErrorCorrection() const { return m_r.Int(basicfield::ErrorCorrection); }
    void SetErrorCorrection(int v) { m_r.SetInt(basicfield::ErrorCorrection, v); }
    int BearerCe() const { return m_r.Int(basicfield::BearerCe); }
    void SetBearerCe(int v) { m_r.SetInt(basicfield::BearerCe, v); }
    int BearerSpeed() const { return m_r.Int(basicfield::BearerSpeed); }
    void SetBearerSpeed(int v) { m_r.SetInt(basicfield::BearerSpeed, v); }
    QByteArray ResetDelay() const { return m_r.Text(basicfield::ResetDelay, basicfield::ResetDelayWidth); }
    void SetResetDelay(const QByteArray &v) { m_r.SetText(basicfield::ResetDelay, basicfield::ResetDelayWidth, v); }
    int ResetEnabled() const { return m_r.Int(basicfield::ResetEnabled); }
    void SetResetEnabled(int v) { m_r.SetInt(basicfield::ResetEnabled, v); }
    int Rings() const { return m_r.Int(basicfield::Rings); }
    void SetRings(int v) { m_r.SetInt(basicfield::Rings, v); }
    int StatusLed() const { return m_r.Byte(basicfield::StatusLed); }
    // A read sets only the low byte; the controls set the whole field.
    void SetStatusLedLowByte(int v) { m_r.SetByte(basicfield::StatusLed, uint8_t(v)); }
    void SetStatusLed(int v) { m_r.SetInt(basicfield::StatusLed, v); }

private:
    BasicSettingsRecord &m_r;
};

class ConstBasicRecordView {
public:
    explicit ConstBasicRecordView(const BasicSettingsRecord &record) : m_r(record) {}
    int AutoPinEnabled() const { return m_r.Int(basicfield::AutoPinEnabled); }
    QByteArray AutoPinCode() const { return m_r.Text(basicfield::AutoPinCode, basicfield::AutoPinCodeWidth); }
    int Compression() const { return m_r.Int(basicfield::Compression); }
    int ErrorCorrection() const { return m_r.Int(basicfield::ErrorCorrection); }
    int BearerCe() const { return m_r.Int(basicfield::BearerCe); }
    int BearerSpeed() const { return m_r.Int(basicfield::BearerSpeed); }
    QByteArray ResetDelay() const { return m_r.Text(basicfield::ResetDelay, basicfield::ResetDelayWidth); }
    int ResetEnabled() const { return m_r.Int(basicfield::ResetEnabled); }
    int Rings() const { return m_r.Int(basicfield::Rings); }
    int StatusLed() const { return m_r.Byte(basicfield::StatusLed); }

private:
    const BasicSettingsRecord &m_r;
};

} // namespace telvio
