#pragma once

#include "pages/core/pageslayer.h"

#include "pages/core/formcontrols.h"

#include <QString>
#include <QStringList>

namespace telvio {

// The Basic page as plain state: every control with its enabling,
// visibility, caption and contents. The logic changes it; the widget page
// shows it and hands the user's edits back.
struct BasicForm {
    // Security [+CPIN],[+CLCK] && [+CPWD]
    ButtonState enterPin;
    ButtonState changePin;
    ButtonState activatePin; // "Enable PIN" / "Disable PIN" once read
    // Call
    EditState rings;
    // Auto PIN [*WPIN] (hidden below Pike-2)
    GroupState autoPinGroup;
    CheckState autoPin;
    EditState autoPinCode;
    // Reset [+WRST]
    CheckState reset;
    EditState resetDelay;
    TextState timeToReset;
    ButtonState resetNow;
    // Data
    ListState bearerSpeed;
    ListState bearerCe;
    ListState compression;
    ListState errorCorrection;
    // Set DTR Toogle Event [%D]
    ListState dtrEvent;
    ButtonState dtrActivate;
    ButtonState dtrDeactivate;
    ButtonState dtrTest;
    // Factory Settings [&&F]
    ButtonState factory;
    // Embedded App (hidden below Pike-2)
    GroupState embeddedAppGroup;
    ButtonState embeddedApp;
    // Status led [*WSTATLED]
    ListState statusLed;
    ButtonState read;
    ButtonState write;

    // Tooltips are shown only while the Tooltip option is on.
    bool tooltips = true;

    // The state of a page window just made: captions, items, limits,
    // tooltips, and what starts disabled.
    static BasicForm Initial();

    static const QStringList &BearerSpeedItems();
    static const QStringList &BearerCeItems();
    static const QStringList &CompressionItems();
    static const QStringList &ErrorCorrectionItems();
    static const QStringList &DtrEventItems();
    static const QStringList &StatusLedItems();
};

// The page's fixed texts that no control state carries: the tab caption,
// group captions and labels. "&&" shows as one "&".
namespace basictext {
inline const QString kTitle = QStringLiteral("Basic");
inline const QString kSecurityGroup = QStringLiteral("Security [+CPIN],[+CLCK] && [+CPWD]");
inline const QString kCallGroup = QStringLiteral("Call");
inline const QString kRingsLabel = QStringLiteral("Rings to auto-answer [S0]");
inline const QString kAutoPinGroup = QStringLiteral("Auto PIN [*WPIN]");
inline const QString kEnabled = QStringLiteral("Enabled");
inline const QString kPinLabel = QStringLiteral("PIN");
inline const QString kResetGroup = QStringLiteral("Reset [+WRST]");
inline const QString kDelayLabel = QStringLiteral("Delay (hhh:mm)");
inline const QString kTimeToResetLabel = QStringLiteral("Time to reset (hhh:mm)");
inline const QString kCfunLabel = QStringLiteral("[+CFUN=1]");
inline const QString kDataGroup = QStringLiteral("Data");
inline const QString kBearerSpeedLabel = QStringLiteral("Bearer type - speed [+CBST]");
inline const QString kBearerCeLabel = QStringLiteral("Bearer type - ce [+CBST]");
inline const QString kCompressionLabel = QStringLiteral("Compression [%C]");
inline const QString kErrorCorrectionLabel = QStringLiteral("Error Correction Mode [\\n]");
inline const QString kDtrGroup = QStringLiteral("Set DTR Toogle Event [%D]");
inline const QString kFactoryGroup = QStringLiteral("Factory Settings [&&F]");
inline const QString kEmbeddedAppGroup = QStringLiteral("Embedded App");
inline const QString kStatusLedLabel = QStringLiteral("Status led [*WSTATLED]");
inline const QString kEnablePin = QStringLiteral("Enable PIN");
inline const QString kDisablePin = QStringLiteral("Disable PIN");
inline const QString kEnable = QStringLiteral("Enable");
inline const QString kDisable = QStringLiteral("Disable");
} // namespace basictext

} // namespace telvio
