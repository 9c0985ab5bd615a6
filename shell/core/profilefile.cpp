#include "shell/core/profilefile.h"

#include "link/core/modemsession.h"

#include <QFile>
#include <QSaveFile>

#include <cstring>

namespace telvio::profilefile {

namespace {

const std::array<Block, 6> kBlocks = {{
    {PageId::Basic, "basic", 43, 80, ModifiedOnOpen::Always},
    {PageId::Serial, "serial", 123, 80, ModifiedOnOpen::Always},
    // The SMS page exists only with a SIM: a page that is not there cannot
    // count as changed.
    {PageId::Sms, "sms", 203, 264, ModifiedOnOpen::WhenAdded},
    {PageId::Gprs, "gprs", 467, 544, ModifiedOnOpen::Always},
    // I/O and Callback are written by their own buttons only.
    {PageId::Io, "io", 1011, 2736, ModifiedOnOpen::Never},
    {PageId::Callback, "callback", 3747, 184, ModifiedOnOpen::Never},
}};

template <int N>
void Overlay(SettingsRecord<N> &record, const QByteArray &bytes)
{
    QByteArray all = record.Bytes();
    const int n = qMin(int(bytes.size()), N);
    std::memcpy(all.data(), bytes.constData(), size_t(n));
    record.SetBytes(all);
}

struct ModelKeyRow {
    int code;
    const char *key;
};
const ModelKeyRow kModelKeys[] = {{1, "orca1"}, {2, "orca1us"}, {3, "pike2"}, {4, "pike3"}};

} // namespace

QByteArray SignatureText()
{
    // The maker word, eight underscores, the product word, an underscore and
    // the article number.
    return QByteArrayLiteral("KESTRAVA________TELVIO_7310-0040c");
}

QByteArray SignatureField()
{
    QByteArray field(kSignatureSize, '\0');
    const QByteArray text = SignatureText();
    std::memcpy(field.data(), text.constData(), size_t(qMin(int(text.size()), kSignatureSize)));
    return field;
}

const std::array<Block, 6> &Blocks()
{
    return kBlocks;
}

const Block *BlockOf(PageId page)
{
    for (const Block &b : kBlocks) {
        if (b.page == page)
            return &b;
    }
    return nullptr;
}

QByteArray RecordBytes(const ModemSession &s, PageId page)
{
    switch (page) {
    case PageId::Basic: return s.basicRecord.Bytes();
    case PageId::Serial: return s.serialRecord.Bytes();
    case PageId::Sms: return s.smsRecord.Bytes();
    case PageId::Gprs: return s.gprsRecord.Bytes();
    case PageId::Io: return s.ioRecord.Bytes();
    case PageId::Callback: return s.callbackRecord.Bytes();
    default: return QByteArray();
    }
}

void OverlayRecord(ModemSession &s, PageId page, const QByteArray &bytes)
{
    switch (page) {
    case PageId::Basic: Overlay(s.basicRecord, bytes); break;
    case PageId::Serial: Overlay(s.serialRecord, bytes); break;
    case PageId::Sms: Overlay(s.smsRecord, bytes); break;
    case PageId::Gprs: Overlay(s.gprsRecord, bytes); break;
    case PageId::Io: Overlay(s.ioRecord, bytes); break;
    case PageId::Callback: Overlay(s.callbackRecord, bytes); break;
    default: break;
    }
}

QByteArray Encode(const ModemSession &session, int model)
{
    QByteArray file = SignatureField();
    const quint32 code = quint32(model);
    for (int i = 0; i < 4; ++i)
        file.append(char(code >> (8 * i)));
    for (const Block &b : kBlocks)
        file.append(RecordBytes(session, b.page));
    Q_ASSERT(file.size() == kSize);
    return file;
}

bool SignatureValid(const QByteArray &file)
{
    const QByteArray field = file.left(kSignatureSize);
    const int nul = field.indexOf('\0');
    return (nul < 0 ? field : field.left(nul)) == SignatureText();
}

int ModelOf(const QByteArray &file)
{
    // A file that ends inside the field gives what it has, the rest zero.
    quint32 code = 0;
    for (int i = 0; i < 4; ++i) {
        if (kModelOffset + i < file.size())
            code |= quint32(quint8(file.at(kModelOffset + i))) << (8 * i);
    }
    return int(code);
}

void Load(const QByteArray &file, ModemSession &session)
{
    session.SetDefaults();
    for (const Block &b : kBlocks) {
        if (file.size() > b.offset)
            OverlayRecord(session, b.page, file.mid(b.offset, b.size));
    }
}

bool ReadFile(const QString &path, QByteArray *bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    // Whatever follows the last record is not part of the profile; a huge
    // file chosen by mistake is not read into memory.
    *bytes = file.read(kSize);
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool WriteFile(const QString &path, const QByteArray &bytes, QString *error, bool *opened)
{
    QSaveFile file(path);
    if (opened)
        *opened = false;
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    if (opened)
        *opened = true;
    // The write lands in the device's buffer; a full disk shows only when
    // it is flushed, and the commit would put a cut file in the old one's
    // place without asking.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

QString ModelKey(int code)
{
    for (const ModelKeyRow &row : kModelKeys) {
        if (row.code == code)
            return QString::fromLatin1(row.key);
    }
    return QString();
}

int ModelFromKey(const QString &key)
{
    for (const ModelKeyRow &row : kModelKeys) {
        if (key.compare(QLatin1String(row.key), Qt::CaseInsensitive) == 0)
            return row.code;
    }
    return 0;
}

} // namespace telvio::profilefile
