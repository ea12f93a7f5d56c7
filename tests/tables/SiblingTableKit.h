#pragma once
// The sibling models' table windows in a test project: opening one from its
// hidden step, putting rows, pressing OK with the one error expected, and
// reading back or writing the table file.

#include "../app/AppTestKit.h"
#include "AdvCGrid.h"
#include "ComCtrls.h"
#include "ULanguage.h"
#include "XmlDoc.h"

#include <functional>

using TAttributes = QList<QPair<QString, QString>>;

class SiblingTableFixture : public AppWindowsFixture {
protected:
    void SetUp() override
    {
        AppWindowsFixture::SetUp();
        MakeProject(QStringLiteral("P1"));
        WriteSettings(QStringLiteral("P1"));
        Start();
    }

    // Opens form through its step button; Drive works in it and ends it (a
    // window Drive leaves open is cancelled). Expect adds the dialogs the
    // showing itself raises (a load report).
    static void Open(TLbButton* step, TTableForm* form, const std::function<void()>& Drive,
                     const std::function<void(DialogResponder&)>& Expect = {})
    {
        DialogResponder r;
        if (Expect)
            Expect(r);
        r.ExpectModal(QString(), [&](TCustomForm* f) {
            EXPECT_EQ(f, form);
            if (Drive)
                Drive();
            if (f->ModalResult() == mrNone)
                f->SetModalResult(mrCancel);
        });
        FCalyptoreFirmWare->Btn_Click(step);
        EXPECT_EQ(r.Pending(), 0) << r.Seen().join(" | ").toStdString();
    }

    static void PutRow(TAdvStringGrid* grid, int row, const QStringList& cells)
    {
        for (int c = 0; c < cells.size(); ++c)
            grid->SetCells(c + 1, row, cells[c]);
    }
    static QStringList RowOf(TAdvStringGrid* grid, int row, int cols)
    {
        QStringList out;
        for (int c = 1; c <= cols; ++c)
            out << grid->Cells(c, row);
        return out;
    }

    // OK pressed with exactly one error dialog, whose text is Text; the
    // window stays open.
    static void OkFailsWith(TTableForm* form, const QString& Text)
    {
        DialogResponder inner;
        inner.ExpectMessage(Text, mrOk, mtError);
        form->Btn_OK->Click();
        EXPECT_EQ(inner.Pending(), 0);
        ASSERT_EQ(inner.Seen().size(), 1);
        EXPECT_EQ(inner.Seen()[0], Text);
        EXPECT_EQ(form->ModalResult(), mrNone);
    }

    // The rows under a section (empty: under the root) of a saved file.
    static QList<TAttributes> SavedRows(const QString& path, const QString& section = QString())
    {
        QList<TAttributes> rows;
        TXmlDocument doc;
        if (!doc.LoadFromFile(path))
            return rows;
        const TXmlNode root = doc.DocumentElement();
        const TXmlNode s = section.isEmpty() ? root : root.ChildElement(section);
        for (int i = 0; i < s.ChildElementCount(); ++i)
            rows << s.ChildElementAt(i).Attributes();
        return rows;
    }

    static void WriteTable(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    static QByteArray ReadTable(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Grabs a window to <GrabDir>/<name> for a look.
    static void Grab(TCustomForm* form, const QString& name)
    {
        EXPECT_TRUE(TestHarness::GrabToPng(form, TestHarness::GrabPath(name)));
    }
};

inline QString ErrorRowText(int prefix, int row, int entry, const QString& tail = QString())
{
    return LangText(prefix) + QString::number(row) + LangText(entry) + tail;
}
