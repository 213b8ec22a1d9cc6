#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

namespace platform {

// Reads one HTTP/1.1 response as its bytes arrive, within fixed bounds: a head
// of at most MaxHeadBytes and a body of at most the given size. A response that
// breaks the bounds or the framing becomes invalid and takes no more bytes.
class HttpResponse {
public:
    static constexpr qsizetype MaxHeadBytes = 16 * 1024;

    explicit HttpResponse(qint64 maxBodyBytes) : maxBody_(maxBodyBytes) {}

    void feed(const QByteArray &bytes);
    // The peer closed the connection: a body without a length ends here, any other is cut short.
    void closed();

    bool headComplete() const { return stage_ > Stage::Head; }
    bool complete() const { return stage_ == Stage::Complete; }
    bool invalid() const { return stage_ == Stage::Invalid; }
    int status() const { return status_; }
    const QList<QPair<QByteArray, QByteArray>> &headers() const { return headers_; }
    const QByteArray &body() const { return body_; }

private:
    enum class Stage { Head, Body, ChunkSize, ChunkData, ChunkEnd, Trailer, Complete, Invalid };
    enum class Framing { Length, Chunked, UntilClose };

    void parseHead();
    bool readHeadLines(const QList<QByteArray> &lines);
    bool chooseFraming();
    void parseBody();
    // Takes up to `count` bytes of the buffer into the body; false when that breaks the bound.
    bool takeBody(qint64 count);
    bool takeLine(QByteArray &line, qsizetype maxLength);
    void fail() { stage_ = Stage::Invalid; }

    qint64 maxBody_;
    Stage stage_ = Stage::Head;
    Framing framing_ = Framing::UntilClose;
    qint64 remaining_ = 0;
    qsizetype trailerBytes_ = 0;
    int status_ = 0;
    QByteArray buffer_;
    QByteArray body_;
    QList<QPair<QByteArray, QByteArray>> headers_;
};

} // namespace platform
