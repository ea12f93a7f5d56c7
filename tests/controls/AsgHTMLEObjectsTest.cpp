// Images, page backgrounds and form controls in a line of markup, on a
// recording canvas with fixed text metrics (font size 10: 5 px a character,
// 20 px high; "gh" is 20 high).

#include "AsgHTMLE.h"

#include "ImgList.h"
#include "MarkupFixtures.h"
#include "OsProfile.h"
#include "PictureContainer.h"
#include "Resources.h"
#include "Services.h"
#include "AsgHTMLEText.h"

#include <gtest/gtest.h>

using namespace MarkupTest;

namespace {

class MarkupObjects : public MarkupCanvasTest {
protected:
    MarkupObjects()
    {
        a.PictureContainer = &container;
        a.PictureCache = &cache;
        list.SetSize(16, 16);
        for (int i = 0; i < 3; ++i) {
            TBitmap b(16, 16);
            list.Add(&b);
        }
        AddPicture("Logo", PngBytes(64, 48));
        AddPicture("anim", ThreeFrameGif());
        AddPicture("tile", PngBytes(10, 10));
    }

    void AddPicture(const QString& name, const QByteArray& bytes)
    {
        TPictureItem* item = container.Items()->Add();
        item->SetName(name);
        item->Picture()->LoadFromStream(bytes);
    }
    // The profile with or without visual styles.
    void Themed(bool on)
    {
        auto p = std::make_shared<OsProfile>();
        p->VisualStylesActive = on;
        profile.emplace(&PlatformServices::Profile, p);
    }

    TImageList list;
    TPictureContainer container;
    THTMLPictureCache cache;
    std::optional<ScopedService<std::shared_ptr<const OsProfile>>> profile;
};

}  // namespace

TEST_F(MarkupObjects, ImageListImages)
{
    c.Font()->SetSize(6);  // 3 px a character, 12 high: the image sets the line
    a.ImageList = &list;
    Measure("a<IMG SRC=\"IDX:0\">b");
    EXPECT_EQ(r.Width, 3 + 16 + 3);
    EXPECT_EQ(r.Height, 16);
    Draw("a<IMG SRC=\"idx:1\">b");
    const auto images = Ops("DrawImage");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].Rect, TRect(4, 0, 20, 16));

    // Printing stretches the list's image by the scale.
    a.Printing = true;
    a.Scale = 2.5;
    Draw("a<IMG SRC=\"IDX:0\">b");
    const auto printed = Ops("StretchDraw");
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].Rect, TRect(4, 0, 44, 40));
    EXPECT_EQ(printed[0].GraphicClass, "TBitmap");
    a.Printing = false;

    Measure("a<IMG SRC=\"IDX:5\">b");
    EXPECT_EQ(r.Width, 6);
    Draw("a<IMG SRC=\"IDX:5\">b");
    EXPECT_TRUE(Ops("DrawImage").empty());
    a.ImageList = nullptr;
    Measure("a<IMG SRC=\"IDX:0\">b");
    EXPECT_EQ(r.Width, 6);
}

TEST_F(MarkupObjects, ContainerPicturesAndTheirSizes)
{
    struct Case { QString attrs; TRect drawn; int room; };
    const Case cases[] = {
        {" WIDTH=\"32\"", TRect(1, 0, 33, 24), 32},
        {" HEIGHT=\"24\"", TRect(1, 0, 33, 24), 32},
        {" WIDTH=\"10\" HEIGHT=\"90\"", TRect(1, 0, 11, 90), 10},
        {" WIDTH=\"99999999\" HEIGHT=\"5\"", TRect(1, 0, 32768, 5), 32767},
    };
    for (const Case& k : cases) {
        Draw("<IMG SRC=\"logo\"" + k.attrs + ">");
        const auto drawn = Ops("StretchDraw");
        ASSERT_EQ(drawn.size(), 1u) << k.attrs.toStdString();
        EXPECT_EQ(drawn[0].Rect, k.drawn) << k.attrs.toStdString();
        EXPECT_EQ(drawn[0].GraphicClass, "THTMLPicture");
        Measure("<IMG SRC=\"logo\"" + k.attrs + ">", TRect(0, 0, 40000, 200));
        EXPECT_EQ(r.Width, k.room);
    }
    Measure("<IMG SRC=\"LOGO\">");
    EXPECT_EQ(r.Width, 64);
    EXPECT_EQ(r.Height, 48);
    Measure("<IMG SRC=\"nothing\">x");
    EXPECT_EQ(r.Width, 5);
}

TEST_F(MarkupObjects, AnimatedPictureFillsItsLargestFrame)
{
    THTMLPicture* anim = container.FindPicture("anim");
    anim->SetFrame(2);
    c.Brush()->SetColor(clAqua);
    Draw("<IMG SRC=\"anim\">");
    const auto fills = Ops("FillRect");
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Rect, TRect(1, 0, 21, 10));
    EXPECT_EQ(fills[0].BrushColor, clAqua);
    const auto drawn = Ops("Draw");
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].Rect, TRect(1 + 3, 2, 1 + 3 + 6, 2 + 4));
    EXPECT_EQ(anim->FrameCount(), 3);
    Measure("<IMG SRC=\"anim\">");
    EXPECT_EQ(r.Width, 20);
}

TEST_F(MarkupObjects, PicturesFromTheCacheNeverFromTheNetwork)
{
    RegisterResource("Logo", PngBytes(64, 48));
    Measure("<IMG SRC=\"res://Logo\">");
    EXPECT_EQ(r.Width, 64);
    ASSERT_NE(cache.FindPicture("res://Logo"), nullptr);
    UnregisterResource("Logo");
    Measure("<IMG SRC=\"http://127.0.0.1:9/a.png\">x");
    EXPECT_EQ(r.Width, 5);
    ASSERT_NE(cache.FindPicture("http://127.0.0.1:9/a.png"), nullptr);
    EXPECT_TRUE(cache.FindPicture("http://127.0.0.1:9/a.png")->Empty());
    // A resource that is no picture counts as missing.
    RegisterResource("Broken", QByteArray("not a picture"));
    EXPECT_NO_THROW(Draw("<IMG SRC=\"RES://Broken\">x"));
    UnregisterResource("Broken");
}

TEST_F(MarkupObjects, ImagesHitOnlyInsideAnchors)
{
    a.ImageList = &list;
    a.LocatePass = true;
    a.HitPoint = TPoint(1 + 8, 8);
    r.AnchorValue = "none";
    EXPECT_FALSE(Draw("<IMG SRC=\"IDX:0\">"));
    EXPECT_EQ(r.AnchorValue, "none");
    EXPECT_TRUE(Draw("<A HREF=\"go\" TITLE=\"t\"><IMG SRC=\"IDX:0\"></A>"));
    EXPECT_EQ(r.AnchorValue, "go");
    EXPECT_EQ(r.AnchorTitle, "t");

    // ALT replaces SRC for the image under the point only.
    a.LocatePass = false;
    Draw("<A HREF=\"go\"><IMG SRC=\"IDX:0\" ALT=\"logo\"></A><IMG SRC=\"IDX:0\" ALT=\"logo\">");
    EXPECT_EQ(Ops("Draw").size(), 1u);       // the logo, under the point
    EXPECT_EQ(Ops("DrawImage").size(), 1u);  // the list image beside it
}

TEST_F(MarkupObjects, ControlSizesAndRoom)
{
    struct Case { QString tag; int width; int height; };
    const Case cases[] = {
        {"<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\">", 10, 20},         // no WIDTH: ignored
        {"<CONTROL TYPE=\"CHECK\" ID=\"c\" WIDTH=\"px\">", 10, 20},           // no digits: ignored
        {"<CONTROL TYPE=\"CHECK\" ID=\"c\" WIDTH=\"40\" VALUE=\"TRUE\">", 26, 20},
        {"<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"40px\">", 50, 30},          // gh + 10
        {"<CONTROL TYPE=\"COMBO\" ID=\"e\" WIDTH=\"50\">", 60, 25},
        {"<CONTROL TYPE=\"BUTTON\" ID=\"b\" WIDTH=\"50\">", 60, 25},
        {"<CONTROL TYPE=\"OTHER\" ID=\"o\" WIDTH=\"50\">", 60, 30},
    };
    for (const Case& k : cases) {
        Measure("a" + k.tag + "b");
        EXPECT_EQ(r.Width, k.width) << k.tag.toStdString();
        EXPECT_EQ(r.Height, k.height) << k.tag.toStdString();
    }
    // The line height is assigned: a taller run before the button is replaced.
    Measure("<FONT SIZE=\"20\">X</FONT><CONTROL TYPE=\"BUTTON\" WIDTH=\"50\" HEIGHT=\"30\" ID=\"b\">");
    EXPECT_EQ(r.Height, 28);
    // A control that does not fit starts the next line.
    Measure("aaaaa<CONTROL TYPE=\"EDIT\" WIDTH=\"50\" ID=\"e\">", TRect(0, 0, 61, 200));
    EXPECT_EQ(r.Height, 20 + 30);
}

TEST_F(MarkupObjects, ControlHitsAndLocatePass)
{
    const QString text = "ab<CONTROL TYPE=\"edit\" WIDTH=\"50\" ID=\"e1\" VALUE=\"v1\">"
                         "<CONTROL TYPE=\"CHECK\" WIDTH=\"9\" ID=\"e2\" VALUE=\"TRUE\">";
    a.LocatePass = true;
    a.HitPoint = TPoint(1 + 10 + 5, 5);
    EXPECT_TRUE(Draw(text));
    EXPECT_EQ(r.AnchorValue, "ctrl");
    EXPECT_EQ(r.ControlID, "e1");
    EXPECT_EQ(r.ControlValue, "v1");
    EXPECT_EQ(r.ControlType, "EDIT");
    EXPECT_EQ(r.ControlRect, TRect(11, 0, 61, 30));

    a.HitPoint = TPoint(-1, -1);
    a.ControlID = "e2";
    EXPECT_TRUE(Draw(text));
    EXPECT_EQ(r.ControlID, "e2");
    EXPECT_EQ(r.ControlRect, TRect(61, 0, 77, 16));
    EXPECT_EQ(r.ControlValue, "TRUE");

    a.LocatePass = false;
    a.ControlID = "e2";
    Measure(text);
    EXPECT_EQ(r.ControlID, "");  // cleared at entry unless locating
}

TEST_F(MarkupObjects, ControlsDrawnThemedAndClassic)
{
    // Themed parts come from the theme layer as bitmaps drawn into the part's
    // rectangle; classic ones are frame controls.
    const QString check = "<CONTROL TYPE=\"CHECK\" WIDTH=\"40\" ID=\"c\" VALUE=\"true\">";
    Themed(true);
    Draw(check);
    auto parts = Ops("Draw");
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].Rect, TRect(3, 16 - 15, 16, 16));  // the line is 16 high
    EXPECT_EQ(parts[0].GraphicClass, "TBitmap");

    Themed(false);
    Draw(check);
    EXPECT_TRUE(Ops("Draw").empty());
    Draw("<CONTROL TYPE=\"CHECK\" WIDTH=\"40\" ID=\"c\" VALUE=\"FALSE\">");
    const size_t unchecked = c.Ops().size();
    Draw(check);
    EXPECT_GT(c.Ops().size(), unchecked);  // the check mark

    Themed(true);
    Draw("<CONTROL TYPE=\"PASSWORD\" WIDTH=\"60\" ID=\"p\" VALUE=\"secret\">");
    auto boxes = Ops("Rectangle");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Rect, TRect(1, 30 - 23 + 4, 61, 32));
    EXPECT_EQ(boxes[0].PenColor, TColor(0xB99D7F));
    EXPECT_EQ(boxes[0].BrushColor, clWhite);
    ASSERT_EQ(Ops("DrawText").size(), 1u);
    EXPECT_EQ(Ops("DrawText")[0].Text, "******");
    Themed(false);
    Draw("<CONTROL TYPE=\"EDIT\" WIDTH=\"60\" ID=\"p\" VALUE=\"v\">");
    EXPECT_EQ(Ops("Rectangle")[0].PenColor, TColor(0x808080));

    // A button with HEIGHT 30: its face is 30 high above the text bottom.
    Themed(true);
    Draw("<CONTROL TYPE=\"BUTTON\" WIDTH=\"50\" HEIGHT=\"30\" ID=\"b\" VALUE=\"Go\">");
    parts = Ops("Draw");
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].Rect, TRect(3, 28 - 30, 49, 28));
    EXPECT_EQ(Ops("DrawText")[0].Text, "Go");
    Draw("<CONTROL TYPE=\"COMBO\" WIDTH=\"50\" ID=\"c\" VALUE=\"x\">");
    parts = Ops("Draw");
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].Rect, TRect(1 + 50 - 18, 25 - 23 + 5, 1 + 50 - 1, 26));
}

TEST_F(MarkupObjects, BodyBackgroundTilesAndShellIcons)
{
    Draw("<BODY BACKGROUND=\"tile\">x", TRect(0, 0, 25, 25));
    const auto tiles = Ops("Draw");
    ASSERT_EQ(tiles.size(), 9u);
    EXPECT_EQ(tiles[0].Rect, TRect(0, 0, 10, 10));
    EXPECT_EQ(tiles[8].Rect, TRect(20, 20, 30, 30));
    const auto clips = Ops("Clip");
    ASSERT_EQ(clips.size(), 2u);
    EXPECT_EQ(clips[0].Text, "0,0,25,25");
    EXPECT_EQ(clips[1].Text, "");
    EXPECT_FALSE(c.ClipRegion().has_value());

    Measure("a<IMG SRC=\"SSYS:12\">b");
    EXPECT_EQ(r.Width, 10);
    Draw("a<IMG SRC=\"SSYS:12\">b");
    EXPECT_TRUE(Ops("DrawImage").empty());
    Measure("a<IMG SRC=\"LSYS:readme.txt\">b");
    EXPECT_EQ(r.Width, 10 + 32);
    Measure("a<IMG SRC=\"ssys:/tmp\">b");
    EXPECT_EQ(r.Width, 10 + 16);
}

TEST_F(MarkupObjects, StoredControlValuesDrawAndHitAsStored)
{
    // The drawing entity rounds leave CONTROL tags alone: a stored double
    // quote or ampersand comes back exactly.
    const QString values[] = {"say \"hi\"", "a&b", "&amp;", "<x>"};
    for (const QString& v : values) {
        QString text = "<CONTROL TYPE=\"EDIT\" WIDTH=\"80\" ID=\"e\" VALUE=\"\"> &amp;";
        ASSERT_TRUE(SetControlValue(text, "e", v));
        a.LocatePass = false;
        a.HitPoint = TPoint(10, 10);
        Draw(text);
        const auto texts = Ops("DrawText");
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].Text, v);
        EXPECT_TRUE(texts[0].Flags & DT_NOPREFIX);
        EXPECT_EQ(texts[1].Text, " &&");  // outside the tag the rounds still apply
        a.LocatePass = true;
        EXPECT_TRUE(Draw(text));
        EXPECT_EQ(r.ControlValue, v);
    }
}

TEST_F(MarkupObjects, RightToLeftMeasuresFromTheRightEdge)
{
    auto p = std::make_shared<OsProfile>();
    p->RightToLeftLocale = true;
    profile.emplace(&PlatformServices::Profile, p);
    a.BiDiMode = 1;
    const QString text = "ab<A HREF=\"x\">cd</A><CONTROL TYPE=\"EDIT\" WIDTH=\"30\" ID=\"e\">";
    Draw(text, TRect(0, 0, 101, 100));
    const auto texts = Ops("DrawText");
    ASSERT_EQ(texts.size(), 3u);  // "ab", "cd" and the edit's empty value
    EXPECT_EQ(texts[0].Rect, TRect(1, 0, 101, 30));   // drawn against the right edge
    EXPECT_EQ(texts[1].Rect.Right, 101 - 10);
    EXPECT_TRUE(texts[0].Flags & DT_RTLREADING);
    EXPECT_EQ(Ops("Rectangle")[0].Rect.Left, 101 - 20 - 30);

    a.LocatePass = true;
    a.HitPoint = TPoint(101 - 15, 25);  // over "cd", counted from the right
    EXPECT_TRUE(Draw(text, TRect(0, 0, 101, 100)));
    EXPECT_EQ(r.AnchorValue, "x");
    EXPECT_EQ(r.HoverRect, TRect(101 - 20, 0, 101 - 10, 30));
    a.HitPoint = TPoint(101 - 35, 5);  // over the control
    EXPECT_TRUE(Draw(text, TRect(0, 0, 101, 100)));
    EXPECT_EQ(r.ControlRect, TRect(101 - 50, 0, 101 - 20, 30));
}
