// The colour dialog: mixing, typing components, the list of known colours,
// and what GetColour answers for each way of closing it.
#include "widgets/key_swatch.h"
#include "imageops/frm_colour.h"
#include "model/workspace.h"
#include "support/modal.h"
#include "support/test_colours.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

class ColourDialog : public ::testing::Test {
protected:
    // Runs GetColour; `action` is what the user does in the dialog and
    // must end it.
    Colour use(const QString &caption, const std::function<void()> &action)
    {
        test::WhileModal([this, action] {
            EXPECT_EQ(dialog.view().entry, 0) << "every use starts at the first entry";
            action();
            if (dialog.isVisible()) {
                ADD_FAILURE() << "the dialog was left open";
                dialog.BtnCancel_Click();
            }
        });
        return dialog.GetColour(caption);
    }
    Colour okAt(int entry)
    {
        return use(QStringLiteral("Pick"), [this, entry] {
            dialog.chooseEntry(entry);
            dialog.BtnOK_Click();
        });
    }
    void mix(int red, int green, int blue)
    {
        dialog.moveComponent(0, red);
        dialog.moveComponent(1, green);
        dialog.moveComponent(2, blue);
    }
    QList<Colour> swatches() const
    {
        QList<Colour> colours;
        for (const Colour colour : dialog.view().swatches)
            colours << colour;
        return colours;
    }

    Workspace workspace;
    FrmColour dialog{workspace};
};

TEST_F(ColourDialog, StandsAsTheLayoutSays)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select colour"));
    EXPECT_EQ(dialog.size(), QSize(407, 137));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "fixed size";
    const FrmColour::Controls controls = dialog.controls();
    const QLabel *letters[3] = {controls.Label1, controls.Label2, controls.Label3};
    for (int row = 0; row < 3; ++row) {
        const int top = 8 + 32 * row;
        EXPECT_EQ(letters[row]->text(), QString(QLatin1Char("RGB"[row])));
        EXPECT_EQ(letters[row]->geometry(), QRect(8, top, 33, 17));
        EXPECT_EQ(controls.SCol[row]->geometry(), QRect(32, top, 161, 17));
        EXPECT_EQ(controls.SCol[row]->orientation(), Qt::Horizontal);
        EXPECT_EQ(controls.SCol[row]->minimum(), 0);
        EXPECT_EQ(controls.SCol[row]->maximum(), 255);
        EXPECT_EQ(controls.SCol[row]->singleStep(), 1);
        EXPECT_EQ(controls.SCol[row]->pageStep(), 1);
        EXPECT_FALSE(controls.SCol[row]->hasTracking()) << "nothing changes until the thumb is let go";
        EXPECT_EQ(controls.TCol[row]->geometry(), QRect(200, top, 41, 19));
        EXPECT_EQ(controls.TCol[row]->text(), QStringLiteral("0"));
        EXPECT_EQ(controls.TCol[row]->maxLength(), 3);
        EXPECT_EQ(controls.CIndex[row]->geometry(), QRect(248, top, 17, 17));
    }
    EXPECT_EQ(controls.CIndex[3]->geometry(), QRect(296, 32, 33, 33));
    EXPECT_EQ(swatches(), (QList<Colour>{kBlack, kBlack, kBlack, kBlack}));
    EXPECT_EQ(controls.Line1->geometry(), QRect(264, 16, 17, 1));
    EXPECT_EQ(controls.Line2->geometry(), QRect(264, 80, 17, 1));
    EXPECT_EQ(controls.Line3->geometry(), QRect(280, 16, 1, 65));
    EXPECT_EQ(controls.Line4->geometry(), QRect(264, 48, 32, 1));
    EXPECT_EQ(controls.Label4->text(), QStringLiteral("S"));
    EXPECT_EQ(controls.Label4->pos(), QPoint(8, 104));
    EXPECT_EQ(controls.Combo1->geometry().topLeft(), QPoint(32, 104));
    EXPECT_EQ(controls.Combo1->width(), 161);
    EXPECT_FALSE(controls.Combo1->isEditable());
    QStringList entries;
    for (int i = 0; i < controls.Combo1->count(); ++i)
        entries << controls.Combo1->itemText(i);
    EXPECT_EQ(entries, (QStringList{"(Special: None)", "Left dropper", "Left transparent", "Left translucent",
                                    "Right dropper", "Right transparent", "Right translucent", "None"}));
    EXPECT_EQ(controls.BtnCancel->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(controls.BtnCancel->geometry(), QRect(280, 112, 57, 17));
    EXPECT_EQ(controls.BtnOK->text(), QStringLiteral("OK"));
    EXPECT_EQ(controls.BtnOK->geometry(), QRect(344, 112, 57, 17));
}

TEST_F(ColourDialog, OkAtOnceGivesBlackAndTheCaptionIsTheCallers)
{
    EXPECT_EQ(use(QStringLiteral("Find: Right"), [this] {
                  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Find: Right"));
                  dialog.BtnOK_Click();
              }),
              kBlack);
}

TEST_F(ColourDialog, ScrollBarsMixTheColourAndShowEachComponentAlone)
{
    const Colour mixed = use(QStringLiteral("Mix"), [this] {
        mix(255, 128, 0);
        dialog.BtnOK_Click();
    });
    EXPECT_EQ(mixed, Colour(33023));
    EXPECT_EQ(swatches(), (QList<Colour>{Colour(255, 0, 0), Colour(0, 128, 0), kBlack, Colour(33023)}));
    EXPECT_EQ(dialog.view().typed[0], QStringLiteral("255"));
    EXPECT_EQ(dialog.view().typed[1], QStringLiteral("128"));
    EXPECT_EQ(dialog.view().typed[2], QStringLiteral("0"));

    // The mix is kept for the next use; the list starts again at its first entry.
    EXPECT_EQ(okAt(0), Colour(33023));
    EXPECT_EQ(dialog.view().components[0], 255);
}

TEST_F(ColourDialog, TypedComponentsAreRoundedHalfToEvenAndOutOfRangeTextIsLeftAsTyped)
{
    const struct {
        const char *typed;
        int value;       // the scroll bar's value afterwards
        const char *shown; // the box's text afterwards
    } steps[] = {
        {"300", 0, "300"},  // refused: nothing changes
        {"2.5", 2, "2"},
        {"3.5", 4, "4"},
        {"007", 7, "7"},
        {"7x", 7, "7x"},    // the value it already has: the text stays
        {"abc", 0, "0"},
        {"abc", 0, "abc"},  // 0 already
        {"-1", 0, "-1"},
        {"255", 255, "255"},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.typed);
        dialog.typeComponent(1, QString::fromLatin1(step.typed));
        EXPECT_EQ(dialog.view().components[1], step.value);
        EXPECT_EQ(dialog.view().typed[1], QString::fromLatin1(step.shown));
        EXPECT_EQ(dialog.view().swatches[1], Colour(0, step.value, 0));
        EXPECT_EQ(dialog.view().swatches[3], Colour(0, step.value, 0));
    }
    EXPECT_EQ(dialog.view().components[0], 0) << "the other rows stay";
}

TEST_F(ColourDialog, EachListEntryGivesItsColourAsItIsWhenTheDialogCloses)
{
    EXPECT_EQ(okAt(1), kBlack) << "no dropper pick yet";
    workspace.setDropperColour(0, Colour(0x010203));
    workspace.setKeyColours(0, Colour(0x040506), Colour(0x070809));
    workspace.setDropperColour(1, Colour(0x0A0B0C));
    workspace.setKeyColours(1, Colour(0x0D0E0F), Colour(0x101112));
    dialog.moveComponent(2, 200);
    const Colour expected[8] = {Colour(0, 0, 200), Colour(0x010203), Colour(0x040506), Colour(0x070809),
                                Colour(0x0A0B0C), Colour(0x0D0E0F), Colour(0x101112), kNoColour};
    for (int entry = 0; entry < 8; ++entry)
        EXPECT_EQ(okAt(entry), expected[entry]) << "entry " << entry;

    const Colour changed = use(QStringLiteral("Pick"), [this] {
        dialog.chooseEntry(5);
        workspace.setKeyColours(1, Colour(0x123456), Colour(0x101112)); // a key colour changes while the dialog is open
        dialog.BtnOK_Click();
    });
    EXPECT_EQ(changed, Colour(0x123456));
}

TEST_F(ColourDialog, CancelEscapeAndTheCloseBoxGiveNoColour)
{
    workspace.setKeyColours(1, Colour(0x0D0E0F), Colour(0x101112));
    const std::function<void()> endings[] = {
        [this] { dialog.BtnCancel_Click(); },
        [this] { dialog.reject(); },
        [this] { dialog.close(); },
    };
    for (const auto &ending : endings) {
        EXPECT_EQ(use(QStringLiteral("Pick"),
                      [this, &ending] {
                          mix(1, 2, 3);
                          dialog.chooseEntry(5);
                          ending();
                      }),
                  kNoColour);
    }
    EXPECT_EQ(okAt(0), Colour(1, 2, 3)) << "the dialog lives on after its close box";
}

} // namespace
} // namespace vexlo
