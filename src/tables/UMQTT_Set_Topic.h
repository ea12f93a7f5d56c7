#pragma once
// The MQTT topics the gateway publishes and subscribes to, on two pages,
// kept in MQTT_Set_Topic.xml. A template or topic cell is edited in the
// topic template editor. The columns of other working modes stay hidden but
// keep their cells.

#include "UMQTT_Set_TopicRules.h"
#include "UTableWindow.h"

#include <memory>

class TAdvColumnGrid;
class TTabSheet;

// The columns of both grids (real indexes).
namespace MQTTCol {
constexpr int Topic = 1, Retained = 2, QoS = 3, DataType = 4, Dimension = 5, Position = 6;
constexpr int PubTemplate = 9, PubChannel = 14, PubSwap = 15, PubSwapWord = 16;
constexpr int SubTemplate = 11, SubSwap = 12, SubSwapWord = 13;
}

class TFMQTT_Set_Topic : public TTableForm {
public:
    DECLARE_CLASSNAME(TFMQTT_Set_Topic)
    explicit TFMQTT_Set_Topic(TComponent* AOwner);

    TTabSheet* TS_MQTT_Publish;
    TTabSheet* TS_MQTT_Subscribe;
    TAdvColumnGrid* ACG_Pub;
    TAdvColumnGrid* ACG_Sub;

    bool Do_Copy_Pub = false;
    bool Do_Copy_Sub = false;
    TStringList* Hint_MQTT_Set_Topic_Pub;
    TStringList* Hint_MQTT_Set_Topic_Sub;
    int Byte_IN = 1500;
    int Byte_OUT = 1500;
    int Working_Mode = 1;

    void FormShow() override;
    bool Controllo_dati() override;
    // The header auto-size, then the template editor on the current cell
    // when it is a template cell of a data row.
    void ACG_MQTT_DblClickCell(TObject* Sender, int ARow, int ACol);
    void Show_Form_Topic(TObject* Sender, int ARow, int ACol);

protected:
    QString TablePath() const override;
    QString TableRoot() const override { return QStringLiteral("MQTT_Set_Topic"); }
    QString TableVersion() const override { return QStringLiteral("1.000"); }
    bool& CopyFlag(int page) override { return page == 0 ? Do_Copy_Pub : Do_Copy_Sub; }
    TStringList* HintList(int page) override { return page == 0 ? Hint_MQTT_Set_Topic_Pub : Hint_MQTT_Set_Topic_Sub; }
    bool InsertEnables() const override { return false; }
    bool BindsClick(int) const override { return false; }

private:
    // The shown and hidden columns of working mode 1.
    void ShowModeColumns();
    // The columns the file does not keep get their values on loaded rows.
    void ResetUnstoredColumns();
    std::unique_ptr<TStringList> FHintPub;
    std::unique_ptr<TStringList> FHintSub;
};

extern TFMQTT_Set_Topic* FMQTT_Set_Topic;
