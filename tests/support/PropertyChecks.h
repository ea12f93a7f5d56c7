#pragma once
// Checks of settings objects through their published property lists: their
// values as readable text, and the two properties every such object must
// have: each property survives a trip through the list, and Assign copies
// exactly what it should, one property at a time (so a getter, setter or
// copy that reaches another property's field shows).

#include "Persistence.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace PropertyChecks {

// Makes a fresh object of the class under test (shared, so that an item can
// carry the collection that owns it).
using TMaker = std::function<std::shared_ptr<TPersistent>()>;

// "Name=value" for each published property in list order: enumerations by
// identifier, colours by ColorToString, strings quoted, fonts, pictures,
// string lists, integer lists and collections by their content.
QStringList Values(const TPersistent* Obj);
// Values as standard strings, which the test framework prints readably.
std::vector<std::string> Printable(const QStringList& Values);
// The text of one property's value as Values writes it.
QString ValueOf(const TPersistent* Obj, const QString& Name);

// Gives property Index of Obj a value other than its current one; an
// object property has its content changed instead.
void Change(TPersistent* Obj, int Index);

// For each published property: a fresh object with only that property
// changed is read into another fresh one through the list; both show the
// same values.
void ExpectListRoundTrip(const TMaker& Make);

// For each published property: Assign from a fresh object with only that
// property changed gives the source's values, except for the properties
// named in NotCopied, which keep the destination's.
void ExpectAssignEach(const TMaker& Make, const QSet<QString>& NotCopied);

}  // namespace PropertyChecks
