// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>

// Qt's PDF made fit for a distribution: the creation date is the build moment rather than the
// clock, a file identifier is a digest of the content rather than a random one, and every font
// subset carries its subset tag ("ABCDEF+Name") in its font names too, so that readers and
// checkers see that only the glyphs used are embedded. Offsets are kept right (cross-reference
// table and startxref). A document whose layout is not Qt's is returned with only the dates and
// identifiers changed.
namespace ReproduciblePdf {

QByteArray apply(const QByteArray& pdf, const QDateTime& moment);

} // namespace ReproduciblePdf
