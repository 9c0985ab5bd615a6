#pragma once

#include "shell/core/shelllayer.h"

#include "link/core/pageflags.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace telvio {

class ModemSession;

// A profile file: the settings records of all six configuration pages for
// one modem model, as one flat block of bytes. There is no length, version
// or checksum field, so the offsets below are the format: files written by
// earlier versions must keep opening byte for byte.
namespace profilefile {

constexpr int kSize = 3931;
constexpr int kSignatureSize = 39;
constexpr int kModelOffset = 39;
constexpr int kRecordsOffset = 43;

// The text the signature field starts with, NUL-padded to its 39 bytes.
QByteArray SignatureText();
QByteArray SignatureField();

// How a loaded file's `modified` flag of a page is set.
enum class ModifiedOnOpen { Always, WhenAdded, Never };

// One record block of the file, in file order.
struct Block {
    PageId page;
    const char *name; // the page's name on the command line
    int offset;
    int size;
    ModifiedOnOpen modified;
};

const std::array<Block, 6> &Blocks();
// The block that carries the page's record; null when the file has none.
const Block *BlockOf(PageId page);

// The record of the block's page in the session, as bytes.
QByteArray RecordBytes(const ModemSession &session, PageId page);
// Puts `bytes` over the start of the page's record; what they do not reach
// keeps its value. Longer input is cut at the record's size.
void OverlayRecord(ModemSession &session, PageId page, const QByteArray &bytes);

// The whole file for the session's records under `model`.
QByteArray Encode(const ModemSession &session, int model);

// What a file's first bytes say. The signature is compared as a
// zero-terminated text within its field, so a file that carries the text
// but no zero after it is not a profile.
bool SignatureValid(const QByteArray &file);
// The model code stored in the file; 0 when the file ends before it.
int ModelOf(const QByteArray &file);
// Whether the file reaches the end of the last record.
inline bool Complete(const QByteArray &file) { return file.size() >= kSize; }

// Puts the file's records into the session, on top of the records
// `SetDefaults` gives: a file that ends early leaves the rest of each
// record at its default, never at what an earlier profile or modem left
// there. Bytes beyond the last record are ignored.
void Load(const QByteArray &file, ModemSession &session);

// Reads at most one file's worth of bytes. False with the system's words
// when the file cannot be opened or read.
bool ReadFile(const QString &path, QByteArray *bytes, QString *error);
// Writes the whole file to a temporary file beside it and only then puts it
// in the place of the old one, so a failure half-way (disk full, the
// program killed) leaves the old profile as it was. False with the
// system's words.
// `opened` tells whether the failure came before anything was written.
bool WriteFile(const QString &path, const QByteArray &bytes, QString *error, bool *opened = nullptr);

// Model codes and the names the command line uses for them ("orca1" ...).
QString ModelKey(int code);
int ModelFromKey(const QString &key); // 0 when unknown

} // namespace profilefile

} // namespace telvio
