#pragma once
// Structural checkers of our own, written from the formats' rules rather
// than from the writers: each returns the problems it finds, one a line
// ("" when there are none), named in the terms of the format.

#include <QByteArray>
#include <QString>

// PROFIBUS GSD: comment lines, "#Profibus_DP" first, keyword lines, paired
// blocks without nesting, balanced quotes, decimal or "0x" numbers.
QString GsdProblems(const QByteArray& file);
// SMIv2 (RFC 2578) for the constructs a gateway module uses: header and
// END, imports, one MODULE-IDENTITY first, OBJECT-TYPE and
// NOTIFICATION-TYPE clauses, identifiers, parents and registrations.
QString Smiv2Problems(const QByteArray& file);
// EDS coherence: listed objects have sections, counts match entries and
// sub-sections, a mapping or variable object's sub0 holds its entry count.
QString EdsCoherenceProblems(const QByteArray& file);
// GSDML coherence: every TextId resolves in the primary language, every
// ModuleItemTarget and ValueItemTarget names an item.
QString GsdmlCoherenceProblems(const QByteArray& file);
