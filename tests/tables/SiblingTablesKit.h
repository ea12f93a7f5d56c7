#pragma once
// The second group of sibling table windows (SDO, SNMP, MQTT, BACnet) in a
// test project: on top of the sibling table kit, opening a window by its
// class name, OK that passes, and the saved file's shape.

#include "SiblingTableKit.h"
#include "UTableWindow.h"

class SiblingTablesFixture : public SiblingTableFixture {
protected:
    using SiblingTableFixture::Open;
    // Opens the window of class className behind the main window's step;
    // Drive works in it (a window Drive leaves open is cancelled).
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

    static void OkPasses(TTableForm* w)
    {
        w->Btn_OK->Click();
        EXPECT_EQ(w->ModalResult(), mrOk);
    }

    // A saved row's attributes in order, "name=value" each.
    static QStringList Flat(const TAttributes& row)
    {
        QStringList out;
        for (const auto& [n, v] : row) out << n + u'=' + v;
        return out;
    }
    // The document's top-level nodes (the root's name, the comment) and the
    // root's sections, as "Root <!--comment--> [A,B]".
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
};
