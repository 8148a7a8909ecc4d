#include "about/about_links.h"
#include "about/frm_about.h"
#include "support/form_input.h"
#include "support/modal.h"
#include "support/scripted_prompt.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

class AboutBox : public ::testing::Test {
protected:
    // A left click where a person would click on the box, landing on
    // whatever control lies on top at that point.
    void clickAt(QPoint point)
    {
        QWidget *target = about.childAt(point);
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&about, point));
    }

    // Where a part of Label4's centred line is drawn, in the box's coordinates.
    std::pair<int, int> partOfLabel4(const QString &part) const
    {
        const QLabel *label4 = about.controls().Label4;
        const QFontMetrics metrics(label4->font());
        const QString line = label4->text();
        const int lineLeft = label4->x() + (label4->width() - metrics.horizontalAdvance(line)) / 2;
        const int left = lineLeft + metrics.horizontalAdvance(line.left(line.indexOf(part)));
        return {left, left + metrics.horizontalAdvance(part)};
    }

    test::ScopedScriptedPrompt prompt;
    FrmAbout about;
};

TEST_F(AboutBox, IsABlackFixedBoxWithTheControlsWhereTheLayoutPutsThem)
{
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Vexlo"));
    EXPECT_EQ(about.size(), QSize(546, 274));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    about.show();
    const QImage shown = about.grab().toImage();
    EXPECT_EQ(shown.pixel(540, 220), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(300, 150), qRgb(0, 0, 0));

    const FrmAbout::Controls box = about.controls();
    EXPECT_EQ(box.AP->geometry(), QRect(8, 8, 256, 272));
    EXPECT_EQ(box.Label1->geometry(), QRect(272, 16, 265, 17));
    EXPECT_EQ(box.Label2->geometry(), QRect(272, 40, 265, 17));
    EXPECT_EQ(box.Label3->geometry(), QRect(272, 64, 265, 17));
    EXPECT_EQ(box.Label4->geometry(), QRect(272, 88, 265, 17));
    EXPECT_EQ(box.Label6->geometry(), QRect(280, 88, 105, 17));
    EXPECT_EQ(box.Label7->geometry(), QRect(392, 88, 137, 17));
    EXPECT_EQ(box.Image1->geometry(), QRect(344, 120, 128, 69));
    EXPECT_EQ(box.BtnOK->geometry(), QRect(456, 240, 81, 25));
    EXPECT_EQ(box.BtnOK->text(), QStringLiteral("OK"));

    EXPECT_EQ(box.Label2->text(), QStringLiteral("Version 2.1.13."));
    EXPECT_TRUE(box.Label1->text().startsWith(QStringLiteral("Vexlo")));
    EXPECT_TRUE(box.Label1->text().endsWith(QStringLiteral("the Vexlo developers")));
    EXPECT_EQ(box.Label3->text(), QStringLiteral("www.vexlo.example.org"));
    EXPECT_TRUE(box.Label3->font().underline());
    EXPECT_EQ(box.Label3->palette().color(QPalette::WindowText), QColor(128, 128, 255));
    EXPECT_EQ(box.Label3->cursor().shape(), Qt::UpArrowCursor);
    EXPECT_EQ(box.Label6->cursor().shape(), Qt::UpArrowCursor);
    EXPECT_TRUE(box.Label6->text().isEmpty());
    for (const QLabel *line : {box.Label1, box.Label2, box.Label3, box.Label4})
        EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), 265) << "one line fits";
}

TEST_F(AboutBox, ShowsOurTwoPicturesFromTheProgramsResources)
{
    const QPixmap picture = about.controls().AP->pixmap();
    const QPixmap banner = about.controls().Image1->pixmap();
    EXPECT_EQ(picture.size(), QSize(256, 256));
    EXPECT_EQ(banner.size(), QSize(128, 69));
    about.show();
    const QImage shown = about.grab().toImage();
    const QImage drawn = picture.toImage();
    EXPECT_EQ(shown.pixel(8 + 100, 8 + 60), drawn.pixel(100, 60)) << "the picture at the top left of AP";
    EXPECT_EQ(shown.pixel(8 + 255, 8 + 255), drawn.pixel(255, 255));
}

TEST_F(AboutBox, TheLinkAndBothPartsOfTheSmallLineOpenTheirAddresses)
{
    about.show();
    clickAt(QPoint(404, 70));
    const auto [addressLeft, addressRight] = partOfLabel4(AboutLinks::shown(AboutLinks::secondPage()));
    const auto [hintLeft, hintRight] = partOfLabel4(QStringLiteral("search the web"));
    // Most of each part lies under its click area.
    EXPECT_GE(std::min(addressRight, 385) - std::max(addressLeft, 280), (addressRight - addressLeft) * 9 / 10);
    EXPECT_GE(std::min(hintRight, 529) - std::max(hintLeft, 392), hintRight - hintLeft);
    clickAt(QPoint((addressLeft + addressRight) / 2, 95));
    clickAt(QPoint((hintLeft + hintRight) / 2, 95));
    EXPECT_EQ(prompt->openedUrls(),
              (QList<QUrl>{AboutLinks::homePage(), AboutLinks::secondPage(), AboutLinks::searchEngine()}));
    EXPECT_TRUE(prompt->boxes().isEmpty());
}

TEST_F(AboutBox, ClicksBesideTheAreasOpenNothingAndAFailedOpenIsIgnored)
{
    about.show();
    clickAt(QPoint(274, 95)); // Label4 left of the address area
    clickAt(QPoint(388, 95)); // between the two areas
    clickAt(QPoint(404, 44)); // the version
    EXPECT_TRUE(prompt->openedUrls().isEmpty());

    prompt->failOpeningUrls();
    about.Label3_Click();
    EXPECT_EQ(prompt->openedUrls().size(), 1);
    EXPECT_TRUE(prompt->boxes().isEmpty());
    EXPECT_TRUE(about.isVisible());
}

TEST(AboutBoxModal, OkClosesTheModalBox)
{
    QString shownVersion;
    test::WhileModal([&] {
        auto *box = qobject_cast<FrmAbout *>(QApplication::activeModalWidget());
        EXPECT_NE(box, nullptr);
        if (box) {
            shownVersion = box->controls().Label2->text();
            test::Click(*box, box->controls().BtnOK);
        } else if (QWidget *other = QApplication::activeModalWidget()) {
            other->close();
        }
    });
    FrmAbout::ShowModal(nullptr);
    EXPECT_EQ(shownVersion, QStringLiteral("Version 2.1.13."));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace vexlo
