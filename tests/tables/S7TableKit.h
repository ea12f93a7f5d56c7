#pragma once
// The R7arir access window in a test project: opening it from the main
// window, rows of valid cells, and reading the saved file.

#include "../app/AppTestKit.h"
#include "AdvCGrid.h"
#include "ComCtrls.h"
#include "XmlDoc.h"

#include <functional>

class S7TableFixture : public AppWindowsFixture {
protected:
    void SetUp() override
    {
        AppWindowsFixture::SetUp();
        MakeProject(QStringLiteral("P1"));
        WriteSettings(QStringLiteral("P1"));
    }

    static TFS7_Protocol_Set_Access* W() { return FS7_Protocol_Set_Access; }
    static TAdvColumnGrid* Grid(int page) { return page == 0 ? W()->ACG_S7_Read : W()->ACG_S7_Write; }

    // Opens the window from its step; Drive works in it and ends it.
    static void Open(const std::function<void()>& Drive)
    {
        DialogResponder r;
        r.ExpectModal(QStringLiteral("TFS7_Protocol_Set_Access"), [&](TCustomForm*) { Drive(); });
        FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_S7_Protocol_Access);
        EXPECT_EQ(r.Pending(), 0);
    }

    // A valid read row (18 cells) and write row (20 cells).
    static QStringList ReadRow(const QString& address = QStringLiteral("192.168.1.125"),
                               const QString& port = QStringLiteral("102"))
    {
        return {"Y", address, port, "S71200", "0", "1", "Word", "DB", "10", "Inputs (I)", "20", "0",
                "500", "3", "0", "Y", "N", "Golden"};
    }
    static QStringList WriteRow(const QString& address = QStringLiteral("192.168.1.125"),
                                const QString& port = QStringLiteral("102"))
    {
        return {"Y", address, port, "S7300", "1", "2", "Real", "DB", "7", "Output (Q)", "8", "3",
                "0", "Y", "N", "1499", "7", "N", "Y", "Out"};
    }
    static void PutRow(int page, int row, const QStringList& cells)
    {
        for (int c = 0; c < cells.size(); ++c)
            Grid(page)->SetCells(c + 1, row, cells[c]);
    }
    static QStringList RowOf(int page, int row)
    {
        QStringList out;
        const int cols = page == 0 ? 18 : 20;
        for (int c = 1; c <= cols; ++c)
            out << Grid(page)->Cells(c, row);
        return out;
    }

    // OK pressed with one error dialog expected, whose text is exactly Text.
    static void OkFailsWith(const QString& Text)
    {
        DialogResponder inner;
        inner.ExpectMessage(Text, mrOk, mtError);
        W()->Btn_OK->Click();
        EXPECT_EQ(inner.Pending(), 0);
        ASSERT_EQ(inner.Seen().size(), 1);
        EXPECT_EQ(inner.Seen()[0], Text);
        EXPECT_EQ(W()->ModalResult(), mrNone);
    }

    // The rows of a section of the saved file, as attribute lists.
    static QList<QList<QPair<QString, QString>>> SavedRows(const QString& section)
    {
        QList<QList<QPair<QString, QString>>> rows;
        TXmlDocument doc;
        if (!doc.LoadFromFile(S7_Protocol_File))
            return rows;
        const TXmlNode s = doc.DocumentElement().ChildElement(section);
        for (int i = 0; i < s.ChildElementCount(); ++i)
            rows << s.ChildElementAt(i).Attributes();
        return rows;
    }
};
