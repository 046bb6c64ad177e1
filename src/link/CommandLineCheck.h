// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class ClockLink;

// The checks a raw command line typed by a person passes before it goes to
// the clock, the same for whirlbeamctl's send and the panel's traffic view,
// so that both refuse the same lines with the same words; the line itself
// is checked by WhyNotACommandLine (files/ParameterFile.h).

// Empty when the line fits the link (a USB report holds it with its CR LF);
// otherwise why not.
QString LinkFitRefusal(const QByteArray& line, const ClockLink& link);
