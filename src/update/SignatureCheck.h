#pragma once

#include <QByteArray>
#include <QString>

// Whether `signature`, a minisign signature file, is the publisher's signature of
// `program`: made by the key `publicKey` (the base64 line of a minisign public key,
// or the whole key file), in the plain ("Ed") or prehashed ("ED") form, with its
// trusted comment signed too. An empty key verifies nothing.
bool signedByPublisher(const QByteArray &program, const QByteArray &signature, const QString &publicKey);
