#include "sim/simconfig.h"

#include <array>

namespace telvio::sim {
namespace {

const std::array<ModelInfo, 4> &modelTable()
{
    static const std::array<ModelInfo, 4> table = {{
        {Model::Orca1, "orca1", "Orca-1", "35107943", Firmware::Plain, false},
        {Model::Orca1Us, "orca1us", "Orca-1 US", "01042400", Firmware::IpStack, false},
        {Model::Pike2, "pike2", "Pike-2", "35783200", Firmware::Maker, true},
        {Model::Pike3, "pike3", "Pike-3", "35783100", Firmware::Maker, true},
    }};
    return table;
}

} // namespace

const ModelInfo &modelInfo(Model model)
{
    for (const ModelInfo &info : modelTable()) {
        if (info.model == model)
            return info;
    }
    return modelTable().back();
}

const QList<Model> &allModels()
{
    static const QList<Model> models = {Model::Orca1, Model::Orca1Us, Model::Pike2, Model::Pike3};
    return models;
}

std::optional<Model> modelFromKey(const QString &key)
{
    for (const ModelInfo &info : modelTable()) {
        if (key.compare(QLatin1String(info.key), Qt::CaseInsensitive) == 0)
            return info.model;
    }
    return std::nullopt;
}

const char *firmwareKey(Firmware firmware)
{
    switch (firmware) {
    case Firmware::Plain: return "plain";
    case Firmware::Maker: return "maker";
    case Firmware::IpStack: return "ipstack";
    }
    return "plain";
}

std::optional<Firmware> firmwareFromKey(const QString &key)
{
    for (Firmware f : {Firmware::Plain, Firmware::Maker, Firmware::IpStack}) {
        if (key.compare(QLatin1String(firmwareKey(f)), Qt::CaseInsensitive) == 0)
            return f;
    }
    return std::nullopt;
}

const char *simCardKey(SimCard card)
{
    switch (card) {
    case SimCard::Absent: return "none";
    case SimCard::Ready: return "ready";
    case SimCard::PinRequired: return "pin";
    case SimCard::PukRequired: return "puk";
    }
    return "none";
}

std::optional<SimCard> simCardFromKey(const QString &key)
{
    for (SimCard c : {SimCard::Absent, SimCard::Ready, SimCard::PinRequired, SimCard::PukRequired}) {
        if (key.compare(QLatin1String(simCardKey(c)), Qt::CaseInsensitive) == 0)
            return c;
    }
    if (key.compare(QLatin1String("absent"), Qt::CaseInsensitive) == 0)
        return SimCard::Absent;
    return std::nullopt;
}

char imeiCheckDigit(const QByteArray &fourteenDigits)
{
    int sum = 0;
    for (int i = 0; i < fourteenDigits.size(); ++i) {
        int digit = fourteenDigits.at(i) - '0';
        if (i % 2 == 1) {
            digit *= 2;
            if (digit > 9)
                digit -= 9;
        }
        sum += digit;
    }
    return char('0' + (10 - sum % 10) % 10);
}

QByteArray defaultImei(Model model)
{
    const QByteArray body = QByteArray(modelInfo(model).imeiPrefix) + "012345";
    return body + imeiCheckDigit(body);
}

Firmware SimConfig::effectiveFirmware() const
{
    return firmware ? *firmware : modelInfo(model).defaultFirmware;
}

QByteArray SimConfig::effectiveImei() const
{
    return imei.isEmpty() ? defaultImei(model) : imei;
}

} // namespace telvio::sim
