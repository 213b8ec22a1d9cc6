#include "platform/HttpResponse.h"

#include <algorithm>

namespace platform {
namespace {

bool isDigits(const QByteArray &text)
{
    return !text.isEmpty() && text.size() <= 18 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

void HttpResponse::feed(const QByteArray &bytes)
{
    if (stage_ == Stage::Complete || stage_ == Stage::Invalid) {
        return;
    }
    buffer_ += bytes;
    if (stage_ == Stage::Head) {
        parseHead();
    }
    if (stage_ != Stage::Head) {
        parseBody();
    }
}

void HttpResponse::closed()
{
    if (stage_ == Stage::Body && framing_ == Framing::UntilClose) {
        stage_ = Stage::Complete;
    } else if (stage_ != Stage::Complete) {
        fail();
    }
}

void HttpResponse::parseHead()
{
    const qsizetype end = buffer_.indexOf("\r\n\r\n");
    if (end < 0) {
        if (buffer_.size() > MaxHeadBytes) {
            fail();
        }
        return;
    }
    if (end > MaxHeadBytes || !readHeadLines(buffer_.left(end).split('\n')) || !chooseFraming()) {
        fail();
        return;
    }
    buffer_.remove(0, end + 4);
}

bool HttpResponse::readHeadLines(const QList<QByteArray> &lines)
{
    const QList<QByteArray> statusLine = lines.first().trimmed().split(' ');
    if (statusLine.size() < 2 || !statusLine[0].startsWith("HTTP/1.") || statusLine[1].size() != 3 ||
        !isDigits(statusLine[1])) {
        return false;
    }
    status_ = statusLine[1].toInt();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon <= 0) {
            return false;
        }
        headers_.append({lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()});
    }
    return true;
}

bool HttpResponse::chooseFraming()
{
    QByteArray length;
    for (const auto &[name, value] : headers_) {
        if (name.compare("Transfer-Encoding", Qt::CaseInsensitive) == 0) {
            if (value.compare("chunked", Qt::CaseInsensitive) != 0) {
                return false;
            }
            framing_ = Framing::Chunked;
        } else if (name.compare("Content-Length", Qt::CaseInsensitive) == 0) {
            // Two different lengths leave the end of the body in doubt.
            if (!isDigits(value) || (!length.isEmpty() && length != value)) {
                return false;
            }
            length = value;
        }
    }
    if (framing_ == Framing::Chunked) {
        stage_ = Stage::ChunkSize;
        return true;
    }
    stage_ = Stage::Body;
    if (!length.isEmpty()) {
        framing_ = Framing::Length;
        remaining_ = length.toLongLong();
        if (remaining_ > maxBody_) {
            return false;
        }
        if (remaining_ == 0) {
            stage_ = Stage::Complete;
        }
    }
    return true;
}

void HttpResponse::parseBody()
{
    QByteArray line;
    for (;;) {
        switch (stage_) {
        case Stage::Body:
            if (framing_ == Framing::UntilClose) {
                takeBody(buffer_.size());
            } else if (takeBody(remaining_) && remaining_ == 0) {
                stage_ = Stage::Complete;
            }
            return;
        case Stage::ChunkSize: {
            if (!takeLine(line, 64)) {
                return;
            }
            bool ok = false;
            const QByteArray size = line.split(';').first().trimmed();
            remaining_ = size.size() <= 15 ? size.toLongLong(&ok, 16) : 0;
            if (!ok || remaining_ < 0) {
                fail();
                return;
            }
            stage_ = remaining_ == 0 ? Stage::Trailer : Stage::ChunkData;
            break;
        }
        case Stage::ChunkData:
            if (!takeBody(remaining_) || remaining_ > 0) {
                return;
            }
            stage_ = Stage::ChunkEnd;
            break;
        case Stage::ChunkEnd:
            if (!takeLine(line, 0)) {
                return;
            }
            stage_ = Stage::ChunkSize;
            break;
        case Stage::Trailer:
            if (!takeLine(line, MaxHeadBytes - trailerBytes_)) {
                return;
            }
            trailerBytes_ += line.size() + 2;
            if (line.isEmpty()) {
                stage_ = Stage::Complete;
            }
            break;
        default:
            return;
        }
    }
}

bool HttpResponse::takeBody(qint64 count)
{
    const qint64 taken = std::min<qint64>(count, buffer_.size());
    if (body_.size() + taken > maxBody_) {
        fail();
        return false;
    }
    body_ += buffer_.left(taken);
    buffer_.remove(0, taken);
    if (framing_ != Framing::UntilClose) {
        remaining_ -= taken;
    }
    return true;
}

// False while the line is still incomplete, or when it is longer than allowed.
bool HttpResponse::takeLine(QByteArray &line, qsizetype maxLength)
{
    const qsizetype end = buffer_.indexOf("\r\n");
    if (end < 0 || end > maxLength) {
        if (end > maxLength || buffer_.size() > maxLength + 1) {
            fail();
        }
        return false;
    }
    line = buffer_.left(end);
    buffer_.remove(0, end + 2);
    return true;
}

} // namespace platform
