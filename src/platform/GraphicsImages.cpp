// Graphics: the base class of pictures that draw themselves.

#include "Graphics.h"

#include <QFile>

void TGraphic::Changed()
{
    FModified = true;
    if (OnChange) OnChange(this);
}

void TGraphic::SetTransparent(bool v)
{
    if (v == FTransparent) return;
    FTransparent = v;
    Changed();
}

void TGraphic::Draw(TCanvas* c, const TRect& r)
{
    if (!c || Empty()) return;
    QImage img = ToImage();
    c->Backend()->DrawImage(*c, r, img, TRect(0, 0, img.width(), img.height()));
}

void TGraphic::LoadFromFile(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\".").arg(fileName));
    LoadFromBytes(f.readAll());
}

void TGraphic::SaveToFile(const QString& fileName)
{
    QByteArray data = SaveToBytes();
    QFile f(fileName);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EFCreateError(QStringLiteral("Cannot create file \"%1\".").arg(fileName));
    if (f.write(data) != data.size())
        throw EFCreateError(QStringLiteral("Cannot write file \"%1\".").arg(fileName));
}
