#pragma once
// The sibling protocols' table windows in a test project: opening a window
// from its hidden step, putting rows into its grids, pressing OK with an
// expected error and reading the saved file back.

#include "../app/AppTestKit.h"
#include "AdvCGrid.h"
#include "ComCtrls.h"
#include "UTableWindow.h"
#include "XmlDoc.h"

#include <functional>

class SiblingTablesFixture : public AppWindowsFixture {
protected:
    void SetUp() override
    {
        AppWindowsFixture::SetUp();
        MakeProject(QStringLiteral("P1"));
        WriteSettings(QStringLiteral("P1"));
        Start();
    }

    // Opens the window behind the main window's hidden step; Drive works in
    // it and ends it (the window is cancelled when Drive leaves it open).
    static void Open(TLbButton* step, const char* className, const std::function<void(TCustomForm*)>& Drive)
    {
        DialogResponder r;
        r.ExpectModal(QLatin1String(className), [&](TCustomForm* f) {
            Drive(f);
            if (f->ModalResult() == mrNone) f->SetModalResult(mrCancel);
        });
        FCalyptoreFirmWare->Btn_Click(step);
        EXPECT_EQ(r.Pending(), 0);
    }

    // Cells from column 1 on.
    static void PutRow(TAdvStringGrid* grid, int row, const QStringList& cells)
    {
        for (int c = 0; c < cells.size(); ++c) grid->SetCells(c + 1, row, cells[c]);
    }
    static QStringList RowOf(TAdvStringGrid* grid, int row, int cols)
    {
        QStringList out;
        for (int c = 1; c <= cols; ++c) out << grid->Cells(c, row);
        return out;
    }

    // OK with exactly one error dialog of the text given; the window stays open.
    static void OkFailsWith(TTableForm* w, const QString& Text)
    {
        DialogResponder inner;
        inner.ExpectMessage(Text, mrOk, mtError);
        w->Btn_OK->Click();
        EXPECT_EQ(inner.Pending(), 0);
        ASSERT_EQ(inner.Seen().size(), 1);
        EXPECT_EQ(inner.Seen()[0], Text);
        EXPECT_EQ(w->ModalResult(), mrNone);
        w->SetModalResult(mrNone);
    }
    static void OkPasses(TTableForm* w)
    {
        w->Btn_OK->Click();
        EXPECT_EQ(w->ModalResult(), mrOk);
    }

    // The rows of a section of a saved file, as attribute lists.
    static QList<QList<QPair<QString, QString>>> SavedRows(const QString& path, const QString& section)
    {
        QList<QList<QPair<QString, QString>>> rows;
        TXmlDocument doc;
        if (!doc.LoadFromFile(path)) return rows;
        const TXmlNode s = doc.DocumentElement().ChildElement(section);
        for (int i = 0; i < s.ChildElementCount(); ++i) rows << s.ChildElementAt(i).Attributes();
        return rows;
    }
    // The attribute names and values in order, "name=value" each.
    static QStringList Flat(const QList<QPair<QString, QString>>& row)
    {
        QStringList out;
        for (const auto& [n, v] : row) out << n + u'=' + v;
        return out;
    }
    // The document's top-level nodes: the root's name and the comment.
    static QString RootAndComment(const QString& path)
    {
        TXmlDocument doc;
        if (!doc.LoadFromFile(path)) return QString();
        QStringList out;
        for (const TXmlNode& n : doc.Nodes())
            out << (n.NodeType() == TXmlNodeType::Comment ? QStringLiteral("<!--") + n.Value() + QStringLiteral("-->") : n.Name());
        QStringList sections;
        const TXmlNode root = doc.DocumentElement();
        for (int i = 0; i < root.ChildElementCount(); ++i) sections << root.ChildElementAt(i).Name();
        return out.join(u' ') + QStringLiteral(" [") + sections.join(u',') + u']';
    }
    static void WriteTable(const QString& path, const QByteArray& xml)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(xml);
    }
};
