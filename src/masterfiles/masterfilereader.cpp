#include "masterfilereader.h"

#include "data/failure.h"
#include "data/masterfiletext.h"

#include <QStringDecoder>

namespace {

constexpr qint64 kChunk = 64 * 1024;

QStringDecoder lineDecoder() {
    // Each line is decoded on its own; a byte-order mark inside the file stays a character.
    return QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                      QStringConverter::Flag::ConvertInitialBom);
}

} // namespace

MasterFileReader::MasterFileReader(const QString& path) : m_path(path), m_file(path) {
    if (!m_file.open(QIODevice::ReadOnly))
        failRead();
    QByteArray line;
    while (nextBytes(line)) {
        ++m_lineCount;
        if (m_utf8) {
            QStringDecoder decoder = lineDecoder();
            const QString text = decoder.decode(line);
            Q_UNUSED(text);
            m_utf8 = !decoder.hasError();
        }
    }
    // A file of nothing but the UTF-8 mark holds no line at all.
    if (m_utf8 && m_lineCount == 1 && m_file.size() == 3) {
        rewind();
        QByteArray only;
        nextBytes(only);
        m_bomOnly = only == QByteArray("\xef\xbb\xbf");
        if (m_bomOnly)
            m_lineCount = 0;
    }
    rewind();
}

void MasterFileReader::failRead() const {
    throw Failure(
        ErrorNumber::FileNotFound,
        QStringLiteral("The file %1 could not be read: %2").arg(m_path, m_file.errorString()));
}

void MasterFileReader::rewind() {
    if (!m_file.seek(0))
        failRead();
    m_buffer.clear();
    m_at = 0;
    m_skipLineFeed = false;
    m_given = 0;
}

bool MasterFileReader::fill() {
    m_buffer = m_file.read(kChunk);
    if (m_file.error() != QFileDevice::NoError)
        failRead();
    m_at = 0;
    return !m_buffer.isEmpty();
}

bool MasterFileReader::nextBytes(QByteArray& line) {
    line.clear();
    bool started = false;
    for (;;) {
        if (m_at == m_buffer.size()) {
            if (!fill())
                return started;
            continue;
        }
        // The LF of a CR LF pair, possibly at the start of the next chunk.
        if (m_skipLineFeed) {
            m_skipLineFeed = false;
            if (m_buffer.at(m_at) == '\n') {
                ++m_at;
                continue;
            }
        }
        qsizetype end = m_at;
        const qsizetype size = m_buffer.size();
        while (end < size && m_buffer.at(end) != '\r' && m_buffer.at(end) != '\n')
            ++end;
        line.append(m_buffer.constData() + m_at, end - m_at);
        started = true;
        if (end == size) {
            m_at = size;
            continue;
        }
        m_skipLineFeed = m_buffer.at(end) == '\r';
        m_at = end + 1;
        return true;
    }
}

std::optional<QString> MasterFileReader::next() {
    QByteArray line;
    if (m_bomOnly || !nextBytes(line))
        return std::nullopt;
    QString text;
    if (m_utf8) {
        QStringDecoder decoder = lineDecoder();
        text = decoder.decode(line);
        // The mark at the very start of the file is not part of the first value.
        if (m_given == 0 && text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
    } else {
        text = MasterFileText::fromWindows1252(line);
    }
    ++m_given;
    return text;
}
