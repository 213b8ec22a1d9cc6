#pragma once

#include <QByteArray>
#include <optional>

// The decimal number a 16-character reply of the media channel holds before its
// NUL, or nothing when that text is not a number.
std::optional<double> replyNumber(const QByteArray &fixedText);
