#include "update/SignatureCheck.h"
#include "UpdateFixture.h"

namespace {

// The signature file with one bit of byte `at` of its signature line flipped.
QByteArray flipped(const QByteArray &file, int at)
{
    QList<QByteArray> lines = file.split('\n');
    QByteArray decoded = QByteArray::fromBase64(lines[1]);
    decoded[at] = char(decoded[at] ^ 1);
    lines[1] = decoded.toBase64();
    return lines.join('\n');
}

} // namespace

TEST(SignatureCheckTest, OnlyThePublishersSignatureOfTheSameBytesVerifies)
{
    QTemporaryDir dir;
    const Publisher publisher(dir.path()), other(dir.path(), "other");
    const QByteArray program = "#!/bin/sh\necho update\n";
    const QString file = dir.filePath("program"), legacyFile = dir.filePath("legacy");
    ASSERT_TRUE(writeFile(file, program) && writeFile(legacyFile, program));
    ASSERT_TRUE(publisher.sign(file) && publisher.sign(legacyFile, true));
    const QByteArray hashed = readFile(file + ".minisig"), legacy = readFile(legacyFile + ".minisig");
    // "ED" and "Ed" in base64: both forms are under test.
    ASSERT_TRUE(hashed.split('\n').value(1).startsWith("RU") && legacy.split('\n').value(1).startsWith("RW"));
    const QString otherFile = dir.filePath("other-program");
    ASSERT_TRUE(writeFile(otherFile, program) && other.sign(otherFile));
    const QByteArray byOther = readFile(otherFile + ".minisig");
    const QString key = publisher.publicKey();
    const QString keyLine = key.trimmed().split('\n').last();

    const struct {
        const char *name;
        QByteArray program;
        QByteArray signature;
        QString key;
        bool verifies;
    } rows[] = {
        {"hashed", program, hashed, key, true},
        {"legacy", program, legacy, key, true},
        {"key as its base64 line", program, hashed, keyLine, true},
        {"one byte more", program + ' ', hashed, key, false},
        {"legacy, one byte changed", "#!/bin/sh\necho Update\n", legacy, key, false},
        {"another key's signature", program, byOther, key, false},
        {"truncated", program, hashed.left(hashed.size() / 2), key, false},
        {"without the trusted comment's signature", program, hashed.left(hashed.lastIndexOf('\n', -2) + 1),
         key, false},
        {"trusted comment changed", program,
         QByteArray(hashed).replace("trusted comment: ", "trusted comment: x"), key, false},
        {"signature bytes changed", program, flipped(hashed, 20), key, false},
        {"another key id", program, flipped(hashed, 2), key, false},
        {"unknown algorithm", program, flipped(hashed, 1), key, false}, // "EE"
        {"not base64", program, QByteArray(hashed).replace(hashed.split('\n')[1], "RW?!"), key, false},
        {"empty key", program, hashed, "", false},
        {"empty signature", program, "", key, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(signedByPublisher(row.program, row.signature, row.key), row.verifies);
    }
}
