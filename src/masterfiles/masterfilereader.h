#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <optional>

// A master file read a line at a time, so memory stays flat whatever the file's size. The
// lines and their text are those of MasterFileText::splitLines(MasterFileText::decode(...))
// over the whole file: a first pass counts the lines and finds whether every one is valid
// UTF-8 (a line ending never falls inside a UTF-8 sequence, so the file is valid exactly
// when each line is); the second hands out the lines decoded.
class MasterFileReader {
public:
    // Opens the file and makes the first pass. Throws Failure when it cannot be read.
    explicit MasterFileReader(const QString& path);

    qint64 lineCount() const { return m_lineCount; }
    bool isUtf8() const { return m_utf8; }
    // The next line, decoded; nothing after the last. Throws Failure on a read error.
    std::optional<QString> next();

private:
    // The next line's bytes without its ending; false after the last line.
    bool nextBytes(QByteArray& line);
    // Reads the next chunk; false at the end of the file.
    bool fill();
    void rewind();
    [[noreturn]] void failRead() const;

    QString m_path;
    QFile m_file;
    QByteArray m_buffer;
    qsizetype m_at = 0;
    bool m_skipLineFeed = false;
    qint64 m_lineCount = 0;
    qint64 m_given = 0;
    bool m_utf8 = true;
    bool m_bomOnly = false;
};
