#include "update/SignatureCheck.h"

#include <QList>
#include <optional>
#include <sodium.h>

namespace {

constexpr qsizetype AlgorithmBytes = 2;
constexpr qsizetype KeyIdBytes = 8;
constexpr qsizetype Head = AlgorithmBytes + KeyIdBytes;

struct Signature {
    QByteArray algorithm;
    QByteArray keyId;
    QByteArray signature;
    QByteArray trustedComment;
    QByteArray globalSignature;
};

std::optional<QByteArray> decode(const QByteArray &text, qsizetype size)
{
    const auto result =
        QByteArray::fromBase64Encoding(text.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    if (!result || result.decoded.size() != size) {
        return std::nullopt;
    }
    return result.decoded;
}

// The base64 line of the key: the last line that is not a comment.
std::optional<QByteArray> decodeKey(const QString &publicKey)
{
    const QList<QByteArray> lines = publicKey.toLatin1().trimmed().split('\n');
    const QByteArray line = lines.last().trimmed();
    if (line.isEmpty() || line.startsWith("untrusted comment:")) {
        return std::nullopt;
    }
    const auto key = decode(line, Head + crypto_sign_PUBLICKEYBYTES);
    if (!key || !key->startsWith("Ed")) {
        return std::nullopt;
    }
    return key;
}

std::optional<Signature> parse(const QByteArray &file)
{
    const QList<QByteArray> lines = file.split('\n');
    static const QByteArray trusted = "trusted comment: ";
    if (lines.size() < 4 || !lines[0].startsWith("untrusted comment:") || !lines[2].startsWith(trusted)) {
        return std::nullopt;
    }
    const auto main = decode(lines[1], Head + crypto_sign_BYTES);
    const auto global = decode(lines[3], crypto_sign_BYTES);
    if (!main || !global) {
        return std::nullopt;
    }
    QByteArray comment = lines[2].mid(trusted.size());
    if (comment.endsWith('\r')) {
        comment.chop(1);
    }
    return Signature{main->left(AlgorithmBytes), main->mid(AlgorithmBytes, KeyIdBytes), main->mid(Head),
                     comment, *global};
}

bool verify(const QByteArray &signature, const QByteArray &message, const QByteArray &key)
{
    return crypto_sign_verify_detached(reinterpret_cast<const unsigned char *>(signature.constData()),
                                       reinterpret_cast<const unsigned char *>(message.constData()),
                                       static_cast<unsigned long long>(message.size()),
                                       reinterpret_cast<const unsigned char *>(key.constData())) == 0;
}

// "ED" signs the BLAKE2b-512 hash of the file, "Ed" the file itself.
std::optional<QByteArray> signedMessage(const QByteArray &algorithm, const QByteArray &program)
{
    if (algorithm == "Ed") {
        return program;
    }
    if (algorithm != "ED") {
        return std::nullopt;
    }
    QByteArray hash(crypto_generichash_BYTES_MAX, '\0');
    crypto_generichash(reinterpret_cast<unsigned char *>(hash.data()), static_cast<std::size_t>(hash.size()),
                       reinterpret_cast<const unsigned char *>(program.constData()),
                       static_cast<unsigned long long>(program.size()), nullptr, 0);
    return hash;
}

} // namespace

bool signedByPublisher(const QByteArray &program, const QByteArray &signature, const QString &publicKey)
{
    if (sodium_init() < 0) {
        return false;
    }
    const auto key = decodeKey(publicKey);
    const auto parsed = parse(signature);
    if (!key || !parsed || parsed->keyId != key->mid(AlgorithmBytes, KeyIdBytes)) {
        return false;
    }
    const QByteArray publicBytes = key->mid(Head);
    const auto message = signedMessage(parsed->algorithm, program);
    return message && verify(parsed->signature, *message, publicBytes) &&
           verify(parsed->globalSignature, parsed->signature + parsed->trustedComment, publicBytes);
}
