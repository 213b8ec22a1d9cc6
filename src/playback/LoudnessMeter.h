#pragma once

#include <QByteArray>

#include <optional>

// The gain (dB) that brings a file to the loudness target: its own gain tag, else
// an EBU R 128 measurement of its integrated loudness. None for a file that cannot
// be decoded to its end or holds only silence. Slow (it decodes the whole file):
// call it on a worker at idle priority.
std::optional<double> measureGainDb(const QByteArray &fileName);
