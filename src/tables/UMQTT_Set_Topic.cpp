#include "UMQTT_Set_Topic.h"

#include "AdvCGrid.h"
#include "ClassesLists.h"
#include "ComCtrls.h"
#include "UComon.h"
#include "UComonRows.h"
#include "UTopicTemplate.h"

TFMQTT_Set_Topic* FMQTT_Set_Topic = nullptr;

namespace {

constexpr TColor MQTTTriggerColor = 11589887;
constexpr TColor MQTTTopicColor = 16710368;
constexpr TColor MQTTQosColor = 16766421;
constexpr TColor MQTTDataColor = 11075496;
constexpr TColor MQTTPlaceColor = 16045820;
constexpr TColor MQTTTemplateColor = 11075583;

TTableColumnSpec MQTTColumn(int header, TEditorType editor, int width, TColor color, const char* attribute,
                            std::optional<QString> missing = QString(), QStringList choices = {})
{
    return {header, editor, std::move(choices), width, color, taLeftJustify, QLatin1String(attribute), std::move(missing)};
}

const QStringList MQTTQos = {"0", "1", "2"};
const QStringList MQTTTypes = {"Int", "Float", "String", "Base64"};
const QStringList MQTTTemplates = {"$VALUE$"};

QStringList MQTTChannels()
{
    QStringList out;
    for (int c = 0; c < 64; ++c) out << QString::number(c);
    out << QStringLiteral("All");
    return out;
}

TTableGridSpec MQTTPublishSpec()
{
    TTableGridSpec spec;
    spec.Name = QStringLiteral("ACG_Pub");
    spec.TabName = QStringLiteral("TS_MQTT_Publish");
    spec.TabCaption = 2333;
    spec.Section = QStringLiteral("MQTT_Publish");
    spec.DataRows = 1024;
    spec.KeyColumn = MQTTCol::Topic;
    spec.EnableColumn = 0;
    spec.FixedHeader = 2314;
    const std::nullopt_t none = std::nullopt;
    spec.Columns = {
        MQTTColumn(2315, edNormal, 300, MQTTTopicColor, "Topic", none),
        MQTTColumn(2316, edDataCheckBox, 60, MQTTQosColor, "Retained", none),
        MQTTColumn(2317, edComboList, 80, MQTTQosColor, "QoS", none, MQTTQos),
        MQTTColumn(2337, edComboList, 80, MQTTDataColor, "DataType", QString(), MQTTTypes),
        MQTTColumn(2338, edNormal, 80, MQTTDataColor, "Dimension"),
        MQTTColumn(2339, edNormal, 80, MQTTPlaceColor, "Position"),
        MQTTColumn(2362, edNormal, 100, MQTTDataColor, "IPAddress"),
        MQTTColumn(2363, edNormal, 120, MQTTDataColor, "InputTemplate"),
        MQTTColumn(2335, edComboEdit, 130, MQTTTemplateColor, "Template", QString(), MQTTTemplates),
        MQTTColumn(2381, edDataCheckBox, 75, MQTTTriggerColor, "OnChange", QStringLiteral("N")),
        MQTTColumn(2383, edDataCheckBox, 55, MQTTTriggerColor, ""),
        MQTTColumn(2384, edDataCheckBox, 64, MQTTTriggerColor, "OnTimer", QStringLiteral("N")),
        MQTTColumn(2385, edNormal, 70, MQTTTriggerColor, "Time"),
        MQTTColumn(2390, edComboList, 60, MQTTDataColor, "", QString(), MQTTChannels()),
        MQTTColumn(2393, edDataCheckBox, 40, MQTTDataColor, ""),
        MQTTColumn(2394, edDataCheckBox, 80, MQTTDataColor, ""),
        MQTTColumn(2318, edNormal, 170, clWhite, "Mnemonic", none),
    };
    spec.Hints = {2319, 2320, 2321, 2340, 2341, 2342, 2364, 2365, 2336, 2382, 2386, 2387, 2388, 2391, 2395, 2396, 2322};
    return spec;
}

TTableGridSpec MQTTSubscribeSpec()
{
    TTableGridSpec spec;
    spec.Name = QStringLiteral("ACG_Sub");
    spec.TabName = QStringLiteral("TS_MQTT_Subscribe");
    spec.TabCaption = 2334;
    spec.Section = QStringLiteral("MQTT_Subscribe");
    spec.DataRows = 1024;
    spec.KeyColumn = MQTTCol::Topic;
    spec.EnableColumn = 0;
    spec.FixedHeader = 2324;
    const std::nullopt_t none = std::nullopt;
    spec.Columns = {
        MQTTColumn(2325, edNormal, 300, MQTTTopicColor, "Topic", none),
        MQTTColumn(2326, edDataCheckBox, 60, MQTTQosColor, "Retained", none),
        MQTTColumn(2327, edComboList, 80, MQTTQosColor, "QoS", none, MQTTQos),
        MQTTColumn(2343, edComboList, 80, MQTTDataColor, "DataType", QString(), MQTTTypes),
        MQTTColumn(2344, edNormal, 80, MQTTDataColor, "Dimension"),
        MQTTColumn(2345, edNormal, 80, MQTTPlaceColor, "Position"),
        MQTTColumn(2366, edNormal, 100, MQTTDataColor, "IPAddress"),
        MQTTColumn(2367, edNormal, 50, MQTTDataColor, "Port"),
        MQTTColumn(2368, edComboList, 64, MQTTDataColor, "EthType", QString(), {"TCP", "UDP"}),
        MQTTColumn(2369, edNormal, 130, MQTTDataColor, "InputTemplate"),
        MQTTColumn(2346, edComboEdit, 130, MQTTTemplateColor, "Template", QString(), MQTTTemplates),
        MQTTColumn(2393, edDataCheckBox, 40, MQTTDataColor, ""),
        MQTTColumn(2394, edDataCheckBox, 80, MQTTDataColor, ""),
        MQTTColumn(2328, edNormal, 220, clWhite, "Mnemonic", none),
    };
    spec.Hints = {2329, 2330, 2331, 2347, 2348, 2349, 2370, 2371, 2372, 2373, 2350, 2397, 2398, 2332};
    return spec;
}

}  // namespace

TFMQTT_Set_Topic::TFMQTT_Set_Topic(TComponent* AOwner)
    : TTableForm(AOwner, 1100, TTableBand{2300, 2351, 2323}),
      FHintPub(std::make_unique<TStringList>()),
      FHintSub(std::make_unique<TStringList>())
{
    Hint_MQTT_Set_Topic_Pub = FHintPub.get();
    Hint_MQTT_Set_Topic_Sub = FHintSub.get();
    BuildGrids({MQTTPublishSpec(), MQTTSubscribeSpec()});
    ACG_Pub = PageGrid(MQTTPublishPage);
    ACG_Sub = PageGrid(MQTTSubscribePage);
    TS_MQTT_Publish = PageSheet(MQTTPublishPage);
    TS_MQTT_Subscribe = PageSheet(MQTTSubscribePage);
    for (TAdvColumnGrid* g : {ACG_Pub, ACG_Sub})
        g->OnDblClickCell = [this](TObject* s, int r, int c) { ACG_MQTT_DblClickCell(s, r, c); };
}

QString TFMQTT_Set_Topic::TablePath() const
{
    return MQTT_Set_Topic_File;
}

void TFMQTT_Set_Topic::ShowModeColumns()
{
    ACG_Pub->HideColumns(4, 9);
    ACG_Pub->HideColumn(11);
    ACG_Pub->HideColumns(14, 16);
    for (int c : {10, 12, 13}) ACG_Pub->UnHideColumn(c);
    ACG_Sub->HideColumn(2);
    ACG_Sub->HideColumns(4, 13);
    TS_MQTT_Subscribe->SetTabVisible(true);
    ACG_Pub->SetRowCount(1025);
    ACG_Sub->SetRowCount(1025);
    for (int c : {4, 5, 6, 9}) ACG_Pub->UnHideColumn(c);
    for (int c : {4, 5, 6, 11}) ACG_Sub->UnHideColumn(c);
}

void TFMQTT_Set_Topic::FormShow()
{
    Working_Mode = 1;
    Byte_IN = 1500;
    Byte_OUT = 1500;
    ShowModeColumns();
    // Clears every data row (hidden columns too), shows the publish page,
    // loads the table and clears the copy flags.
    TTableForm::FormShow();
    ResetUnstoredColumns();
}

void TFMQTT_Set_Topic::ResetUnstoredColumns()
{
    // The rows the file filled, per page.
    const auto& filled = LastLoad().Absent;
    const int pubRows = filled.size() > 0 ? int(filled[MQTTPublishPage].size()) : 0;
    for (int r = 1; r <= pubRows; ++r) {
        ACG_Pub->SetCells(MQTTCol::PubChannel, r, QString());
        ACG_Pub->SetCells(MQTTCol::PubSwap, r, QStringLiteral("N"));
        ACG_Pub->SetCells(MQTTCol::PubSwapWord, r, QStringLiteral("N"));
    }
    const int subRows = filled.size() > 1 ? int(filled[MQTTSubscribePage].size()) : 0;
    for (int r = 1; r <= subRows; ++r) {
        ACG_Sub->SetCells(MQTTCol::SubSwap, r, QStringLiteral("N"));
        ACG_Sub->SetCells(MQTTCol::SubSwapWord, r, QStringLiteral("N"));
    }
}

bool TFMQTT_Set_Topic::Controllo_dati()
{
    return ValidationWalk([this](int page, int row) {
        TAdvColumnGrid* g = PageGrid(page);
        return MQTTRowFault(
            TMQTTPage(page), [g, row](int col) { return g->Cells(col, row); },
            [g](int col) { return g->IsHiddenColumn(col); }, page == MQTTPublishPage ? Byte_IN : Byte_OUT);
    });
}

void TFMQTT_Set_Topic::ACG_MQTT_DblClickCell(TObject* Sender, int ARow, int ACol)
{
    auto* grid = static_cast<TAdvColumnGrid*>(PageStringGrid(PageOf(Sender)));
    GridHeaderAutoSize(grid, ARow, ACol);
    // A header double click only sizes its column.
    if (ARow < 1) return;
    const int col = grid->RealCol();
    const int templateCol = grid == ACG_Pub ? MQTTCol::PubTemplate : MQTTCol::SubTemplate;
    if (col == templateCol) Show_Form_Topic(Sender, grid->RealRow(), col);
}

void TFMQTT_Set_Topic::Show_Form_Topic(TObject* Sender, int ARow, int ACol)
{
    if (!FTopicTemplate) return;
    const bool publish = Sender == ACG_Pub;
    auto* grid = publish ? ACG_Pub : ACG_Sub;
    FTopicTemplate->TopicTemplate = ACol == (publish ? MQTTCol::PubTemplate : MQTTCol::SubTemplate) ? 1 : 0;
    FTopicTemplate->Working_Mode = Working_Mode;
    FTopicTemplate->Pub_Sub = publish ? 0 : 1;
    FTopicTemplate->RE_TopicTemplate->Clear();
    FTopicTemplate->RE_TopicTemplate->SetText(grid->Cells(ACol, ARow));
    if (FTopicTemplate->ShowModal() == mrOk) grid->SetCells(ACol, ARow, FTopicTemplate->RE_TopicTemplate->Text());
}
