// The profile file: its bytes, its checks, and what loading and saving do to
// the session's records.
#include "link/core/modemsession.h"
#include "pages/core/smsrecord.h"
#include "shell/core/profilefile.h"
#include "support/fixtures.h"
#include "support/linerate.h"
#include "support/memoryport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace telvio::test {
namespace {

using namespace profilefile;

// Each record filled with its own byte pattern, so a block in the wrong
// place or of the wrong length shows.
void FillPatterns(ModemSession &s)
{
    char mark = 'A';
    for (const Block &b : Blocks()) {
        QByteArray bytes(b.size, '\0');
        for (int i = 0; i < b.size; ++i)
            bytes[i] = char(mark + i % 7);
        OverlayRecord(s, b.page, bytes);
        mark = char(mark + 8);
    }
}

class ProfileFormat : public ::testing::Test {
protected:
    MemoryPort port;
    ModemSession session{&port, nullptr};
};

TEST_F(ProfileFormat, FileHoldsSignatureModelAndRecordsAtTheirOffsets)
{
    FillPatterns(session);
    const QByteArray file = Encode(session, 4);
    ASSERT_EQ(file.size(), 3931);
    EXPECT_EQ(file.left(33), QByteArray("KESTRAVA________TELVIO_7310-0040c"));
    EXPECT_EQ(file.mid(33, 6), QByteArray(6, '\0'));
    EXPECT_EQ(file.mid(39, 4), QByteArray("\x04\x00\x00\x00", 4));
    const struct {
        PageId page;
        int offset;
        int size;
    } layout[] = {{PageId::Basic, 43, 80},  {PageId::Serial, 123, 80}, {PageId::Sms, 203, 264},
                  {PageId::Gprs, 467, 544}, {PageId::Io, 1011, 2736},  {PageId::Callback, 3747, 184}};
    for (const auto &l : layout)
        EXPECT_EQ(file.mid(l.offset, l.size), RecordBytes(session, l.page)) << int(l.page);
}

TEST_F(ProfileFormat, ModelCodeIsLittleEndianInt32)
{
    EXPECT_EQ(Encode(session, 0x01020304).mid(39, 4), QByteArray("\x04\x03\x02\x01", 4));
    EXPECT_EQ(ModelOf(Encode(session, 3)), 3);
    EXPECT_EQ(ModelOf(Encode(session, -1)), -1);
    // A file that ends inside the field has no more of a model than it holds.
    EXPECT_EQ(ModelOf(Encode(session, 0x0103).left(40)), 3);
    EXPECT_EQ(ModelOf(QByteArray()), 0);
}

struct SignatureCase {
    const char *name;
    QByteArray head; // the file's first bytes
    bool valid;
};

void PrintTo(const SignatureCase &c, std::ostream *os)
{
    *os << c.name;
}

class ProfileSignature : public ::testing::TestWithParam<SignatureCase> {};

TEST_P(ProfileSignature, ComparedAsZeroTerminatedTextInItsField)
{
    QByteArray file = GetParam().head;
    EXPECT_EQ(SignatureValid(file), GetParam().valid);
}

const QByteArray kText("KESTRAVA________TELVIO_7310-0040c");

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileSignature,
    ::testing::Values(
        SignatureCase{"as saved", kText + QByteArray(6, '\0') + QByteArray(4, '\1'), true},
        SignatureCase{"text without the zeros after it", kText, true},
        SignatureCase{"byte 33 not zero", kText + QByteArray("X") + QByteArray(5, '\0'), false},
        SignatureCase{"bytes after the first zero ignored", kText + QByteArray("\0junk!", 6), true},
        SignatureCase{"one letter in lower case", QByteArray("kESTRAVA________TELVIO_7310-0040c") + QByteArray(6, '\0'),
                      false},
        SignatureCase{"older article number", QByteArray("KESTRAVA________TELVIO_7310-0040b") + QByteArray(6, '\0'),
                      false},
        SignatureCase{"text cut short", kText.left(20), false},
        SignatureCase{"empty file", QByteArray(), false},
        SignatureCase{"signature filling the whole field", kText + QByteArray("ABCDEF"), false}),
    [](const auto &info) { return WordName(info.param.name); });

struct LengthCase {
    const char *name;
    int length;
};

void PrintTo(const LengthCase &c, std::ostream *os)
{
    *os << c.name;
}

class ProfileLength : public ::testing::TestWithParam<LengthCase> {
protected:
    MemoryPort port;
    ModemSession session{&port, nullptr};
};

// A short file fills the records as far as it reaches; the rest of every
// record is its default, whatever the session held before.
TEST_P(ProfileLength, RecordsAreTheFileAsFarAsItReachesAndDefaultsBeyond)
{
    MemoryPort otherPort;
    ModemSession source(&otherPort, nullptr);
    FillPatterns(source);
    QByteArray file = Encode(source, 2);
    const int length = GetParam().length;
    if (length <= file.size())
        file.truncate(length);
    else
        file.append(QByteArray(length - file.size(), '\x5a'));

    // What an earlier modem or profile left in the records.
    for (const Block &b : Blocks())
        OverlayRecord(session, b.page, QByteArray(b.size, '\xee'));
    Load(file, session);

    MemoryPort defaultsPort;
    ModemSession defaults(&defaultsPort, nullptr);
    defaults.SetDefaults();
    const QByteArray full = Encode(source, 2);
    for (const Block &b : Blocks()) {
        QByteArray expected = RecordBytes(defaults, b.page);
        const int reached = qBound(0, length - b.offset, b.size);
        expected.replace(0, reached, full.mid(b.offset, reached));
        EXPECT_EQ(RecordBytes(session, b.page), expected) << b.name;
    }
    EXPECT_EQ(Complete(file), length >= 3931);
}

INSTANTIATE_TEST_SUITE_P(Lengths, ProfileLength,
                         ::testing::Values(LengthCase{"signature only", 39}, LengthCase{"up to the model", 43},
                                           LengthCase{"inside the basic record", 100},
                                           LengthCase{"ends between two records", 203},
                                           LengthCase{"inside the io record", 2000},
                                           LengthCase{"one byte short", 3930}, LengthCase{"complete", 3931},
                                           LengthCase{"longer than a profile", 5000}),
                         [](const auto &info) { return WordName(info.param.name); });

TEST_F(ProfileFormat, LoadedFileSavesAgainByteForByte)
{
    FillPatterns(session);
    const QByteArray file = Encode(session, 3);
    MemoryPort otherPort;
    ModemSession other(&otherPort, nullptr);
    Load(file, other);
    EXPECT_EQ(Encode(other, ModelOf(file)), file);
}

TEST_F(ProfileFormat, TextsWithoutNulEndAtTheirField)
{
    // Texts in a file are bounded by their fields; one without a NUL reads
    // to its field's end and not into the next field.
    QByteArray file = Encode(session, 1);
    file.replace(203 + smsfield::Number, smsfield::NumberWidth, QByteArray(smsfield::NumberWidth, '7'));
    file.replace(203 + smsfield::Message, 4, QByteArray("next"));
    Load(file, session);
    EXPECT_EQ(session.smsRecord.Text(smsfield::Number, smsfield::NumberWidth), QByteArray(smsfield::NumberWidth, '7'));
}

TEST(ProfileModelKeys, NamesAndCodesOfTheFourModels)
{
    const struct {
        const char *key;
        int code;
    } rows[] = {{"orca1", 1}, {"orca1us", 2}, {"pike2", 3}, {"pike3", 4}};
    for (const auto &r : rows) {
        EXPECT_EQ(ModelFromKey(QLatin1String(r.key)), r.code);
        EXPECT_EQ(ModelKey(r.code), QLatin1String(r.key));
    }
    EXPECT_EQ(ModelFromKey(QStringLiteral("PIKE3")), 4);
    EXPECT_EQ(ModelFromKey(QStringLiteral("pike4")), 0);
    EXPECT_TRUE(ModelKey(0).isEmpty());
}

// --- files on disk -------------------------------------------------------

class ProfileFiles : public ::testing::Test {
protected:
    QString PathOf(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_F(ProfileFiles, ReadTakesAtMostOneProfile)
{
    const QString path = PathOf(QStringLiteral("long.dat"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(10000, 'x'));
    f.close();
    QByteArray bytes;
    QString error;
    ASSERT_TRUE(ReadFile(path, &bytes, &error));
    EXPECT_EQ(bytes.size(), 3931);
}

TEST_F(ProfileFiles, FailuresCarryTheSystemsWords)
{
    QByteArray bytes;
    QString error;
    EXPECT_FALSE(ReadFile(PathOf(QStringLiteral("missing.dat")), &bytes, &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    bool opened = true;
    EXPECT_FALSE(WriteFile(PathOf(QStringLiteral("no/such/folder/p.dat")), QByteArray(10, 'x'), &error, &opened));
    EXPECT_FALSE(opened);
    EXPECT_FALSE(error.isEmpty());
}

// A save that fails half-way (here: the file size limit, as a full disk
// would) leaves the old profile as it was and no stray file beside it.
TEST_F(ProfileFiles, FailedSaveLeavesTheOldFileWhole)
{
    const QString path = PathOf(QStringLiteral("fleet.dat"));
    const QByteArray old(3931, 'o');
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool written = WriteFile(path, QByteArray(3931, 'n'), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("fleet.dat")});
}

TEST_F(ProfileFiles, SaveReplacesAnExistingFile)
{
    const QString path = PathOf(QStringLiteral("p.dat"));
    QString error;
    ASSERT_TRUE(WriteFile(path, QByteArray(5000, 'a'), &error));
    ASSERT_TRUE(WriteFile(path, QByteArray(3931, 'b'), &error)) << qPrintable(error);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(3931, 'b'));
}

} // namespace
} // namespace telvio::test

namespace telvio::test {
namespace {

// Profiles this program wrote, one per model, kept as files: every later
// version must open them to the same settings and save them byte for byte.
struct FixtureCase {
    const char *name;
    const char *file;
    int model;
    int rings;
};

void PrintTo(const FixtureCase &c, std::ostream *os)
{
    *os << c.name;
}

class StoredProfile : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(StoredProfile, OpensToItsSettingsAndSavesAgainByteForByte)
{
    const FixtureCase &c = GetParam();
    const QByteArray file = ReadFixture(QStringLiteral("profiles/%1").arg(QLatin1String(c.file)));
    ASSERT_EQ(file.size(), 3931);
    ASSERT_TRUE(profilefile::SignatureValid(file));
    EXPECT_EQ(profilefile::ModelOf(file), c.model);

    MemoryPort port;
    ModemSession session(&port, nullptr);
    profilefile::Load(file, session);
    EXPECT_EQ(session.basicRecord.Int(44), c.rings);
    EXPECT_EQ(session.smsRecord.Text(smsfield::ServiceCentre, smsfield::ServiceCentreWidth),
              QByteArray("+4670000000") + QByteArray::number(c.rings));
    EXPECT_EQ(session.serialRecord.Int(0), 0); // echo off
    EXPECT_EQ(session.gprsRecord.Text(52, 8), QByteArray("9000"));
    EXPECT_EQ(session.ioRecord.Text(4, 4), QByteArray("10"));
    EXPECT_EQ(profilefile::Encode(session, profilefile::ModelOf(file)), file);
}

INSTANTIATE_TEST_SUITE_P(Models, StoredProfile,
                         ::testing::Values(FixtureCase{"Orca-1", "orca1.dat", 1, 1},
                                           FixtureCase{"Orca-1 US", "orca1us.dat", 2, 2},
                                           FixtureCase{"Pike-2", "pike2.dat", 3, 3},
                                           FixtureCase{"Pike-3", "pike3.dat", 4, 4}),
                         [](const auto &info) { return WordName(info.param.name); });

} // namespace
} // namespace telvio::test
