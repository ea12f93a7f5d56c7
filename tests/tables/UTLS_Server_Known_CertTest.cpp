// The TLS known-certificates window: its string grid with real check boxes,
// the file it keeps and the row buttons over check-box cells.

#include "SiblingTableKit.h"
#include "UTLS_Server_Known_Cert.h"

namespace {

class TLSWindow : public SiblingTableFixture {
protected:
    static TFTLS_Server_Known_Cert* W() { return FTLS_Server_Known_Cert; }
    static TAdvStringGrid* G() { return FTLS_Server_Known_Cert->ASG; }
    static void OpenTLS(const std::function<void()>& Drive)
    {
        Open(FCalyptoreFirmWare->Btn_TLS_List_Certificates, W(), Drive);
    }
    static bool Checked(int row)
    {
        bool state = false;
        EXPECT_TRUE(G()->GetCheckBoxState(1, row, state));
        return state;
    }
};

const QString Pem = QStringLiteral("-----BEGIN CERTIFICATE-----\r\nMIIB\r\n-----END CERTIFICATE-----");

}  // namespace

TEST_F(TLSWindow, TheBoxAndAMultiLineCertificateSurviveSaveAndReload)
{
    OpenTLS([] {
        EXPECT_EQ(G()->RowCount(), 11);
        EXPECT_EQ(G()->RowHeights(5), 60);
        EXPECT_EQ(G()->ColWidths(2), 500);
        EXPECT_TRUE(Checked(10));
        G()->SetCells(2, 1, Pem);
        G()->SetCells(3, 1, QStringLiteral("Root CA"));
        G()->SetCheckBoxState(1, 1, false);
        G()->SetCells(2, 2, QStringLiteral("second"));
        W()->Btn_OK->Click();
        EXPECT_EQ(W()->ModalResult(), mrOk);
    });
    const QList<TAttributes> saved = SavedRows(TLS_Known_Cert_File);
    ASSERT_EQ(saved.size(), 2);
    EXPECT_EQ(saved[0], TAttributes({{"Enable", "N"}, {"Certificate", Pem}, {"Mnemonic", "Root CA"}}));
    EXPECT_EQ(saved[1][0], qMakePair(QStringLiteral("Enable"), QStringLiteral("Y")));
    OpenTLS([] {
        EXPECT_FALSE(Checked(1));
        EXPECT_TRUE(Checked(2));
        EXPECT_EQ(G()->Cells(2, 1), Pem);
    });
}

TEST_F(TLSWindow, OnlyExactlyNUnchecksOnLoading)
{
    WriteTable(TLS_Known_Cert_File, "<TLS_Server_Known_Cert><row Enable=\"n\" Certificate=\"a\"/>"
                                    "<row Enable=\"0\" Certificate=\"b\"/><row Certificate=\"c\"/>"
                                    "<row Enable=\"N\"/></TLS_Server_Known_Cert>");
    OpenTLS([] {
        EXPECT_TRUE(Checked(1));
        EXPECT_TRUE(Checked(2));
        EXPECT_TRUE(Checked(3));
        EXPECT_FALSE(Checked(4));
        EXPECT_EQ(G()->Cells(3, 4), "");
        // No check: OK saves whatever is typed.
        W()->Btn_OK->Click();
        EXPECT_EQ(W()->ModalResult(), mrOk);
    });
    EXPECT_EQ(SavedRows(TLS_Known_Cert_File).size(), 3);  // row 4 has no certificate
}

TEST_F(TLSWindow, AnUncheckedRowPastedOverBlanksAsksAndCopiesBoxAndTexts)
{
    OpenTLS([] {
        G()->SetCells(2, 1, QStringLiteral("cert"));
        G()->SetCheckBoxState(1, 1, false);
        G()->SetRow(1);
        W()->Btn_CopyRow->Click();
        G()->SetCells(2, 3, QStringLiteral("  "));
        G()->SetRow(3);
        DialogResponder r;
        r.ExpectMessage(LangText(1100), mrYes, mtConfirmation);
        W()->Btn_PasteRow->Click();
        EXPECT_FALSE(Checked(3));
        EXPECT_EQ(G()->Cells(2, 3), "cert");
    });
}

TEST_F(TLSWindow, Grab)
{
    OpenTLS([this] {
        G()->SetCells(2, 1, Pem);
        G()->SetCells(3, 1, QStringLiteral("Root CA"));
        Grab(W(), QStringLiteral("tls.png"));
    });
}
