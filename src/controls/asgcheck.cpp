#include "asgcheck.h"

QString TAdvStringGridCheck::MarkError(int, int, const QString& S)
{
    return S;
}

QString TAdvStringGridCheck::Correct(int, int, const QString& S)
{
    return S;
}
