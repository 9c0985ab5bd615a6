#pragma once

#include <QByteArray>

#include <functional>

// The application's side of a pseudo-terminal, written against POSIX only so
// that the simulator is tested as any serial program would see it.
class RawClient {
public:
    RawClient() = default;
    ~RawClient();
    RawClient(const RawClient &) = delete;
    RawClient &operator=(const RawClient &) = delete;

    bool open(const QByteArray &path, int baud = 9600, int stopBits = 1);
    void close();
    bool setLine(int baud, int stopBits = 1);
    bool write(const QByteArray &bytes);

    enum class End { Matched, TimedOut, HungUp };
    // Reads until `done` holds for everything read since the call, the line
    // hangs up (EOF or EIO) or `timeoutMs` pass; each wait is a bounded poll().
    End readUntil(const std::function<bool(const QByteArray &)> &done, QByteArray *received,
                  int timeoutMs = 3000);
    // Reads until `bytes` ends what was read.
    QByteArray readUntilEnd(const QByteArray &ending, int timeoutMs = 3000);
    // Writes a command and reads its answer up to the final "OK<CR><LF>" or "ERROR<CR><LF>".
    QByteArray exchange(const QByteArray &command, int timeoutMs = 3000);

    int fd() const { return m_fd; }

private:
    int m_fd = -1;
};
