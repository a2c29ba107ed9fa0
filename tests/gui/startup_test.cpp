// The program as it stands once its window is shown: the channel window shown and the other
// editors loaded hidden behind it, the ports probed once; the icons, drawn at the size asked for
// when they are first shown; the lists of the optional features, laid out when that window is
// first shown, wide enough for every entry in both languages.
#include <QAbstractButton>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <map>

#include "gui/app_fixture.h"
#include "ui/toolbar_icons.h"

namespace varel::test {
namespace {

using StartUpTest = AppFixture;

// True when some pixel of the image is not fully transparent.
bool Drawn(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) return true;
    return false;
}

TEST(DrawnIcons, EachKeyIsDrawnAtTheSizeAskedForAndGreyedWhenDisabled) {
    for (const char* key :
         {"TNew", "TOpen", "TSave", "TRead", "TWrite", "TAnMa", "TDebug", "TFMMa", "Program"}) {
        const QIcon icon = ToolbarIcon(key);
        ASSERT_FALSE(icon.isNull()) << key;
        EXPECT_EQ(icon.availableSizes(),
                  (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}}))
            << key;
        // Sizes of the list and between them; a size asked for twice is the same picture.
        for (int side : {16, 20, 24, 64}) {
            const QImage normal = icon.pixmap(side, side).toImage();
            EXPECT_EQ(normal.size(), QSize(side, side)) << key;
            EXPECT_TRUE(Drawn(normal)) << key << " " << side;
            EXPECT_EQ(icon.pixmap(side, side).toImage(), normal) << key;
            const QImage disabled = icon.pixmap(side, side, QIcon::Disabled).toImage();
            EXPECT_EQ(disabled.size(), normal.size()) << key;
            EXPECT_NE(disabled, normal) << key << " " << side;
        }
    }
    // Painted on a high-density surface, an icon is drawn at the surface's own pixels.
    QImage dense(48, 48, QImage::Format_ARGB32_Premultiplied);
    dense.setDevicePixelRatio(2);
    dense.fill(Qt::transparent);
    QPainter painter(&dense);
    ToolbarIcon("TRead").paint(&painter, QRect(0, 0, 24, 24));
    painter.end();
    EXPECT_EQ(dense.convertToFormat(QImage::Format_ARGB32),
              ToolbarIcon("TRead").pixmap(48, 48).toImage().convertToFormat(QImage::Format_ARGB32));
    for (const char* unknown : {"", "TPrint", "tnew"}) EXPECT_TRUE(ToolbarIcon(unknown).isNull());
}

TEST_F(StartUpTest, TheChannelWindowShowsAndTheOtherEditorsAreLoadedHidden) {
    ASSERT_NE(qobject_cast<QMdiSubWindow*>(form("Form1")->parentWidget()), nullptr);
    EXPECT_TRUE(qobject_cast<QMdiSubWindow*>(form("Form1")->parentWidget())->isVisible());
    for (const char* name : {"Form3", "Form4", "Form5", "Form6"}) {
        QWidget* frame = qobject_cast<QMdiSubWindow*>(form(name)->parentWidget());
        ASSERT_NE(frame, nullptr) << name;
        EXPECT_FALSE(frame->isVisible()) << name;
        EXPECT_FALSE(form(name)->windowTitle().isEmpty()) << name;  // captioned all the same
    }
    EXPECT_EQ(ports.probes, 1);
    EXPECT_EQ(window->statusPanel(1)->text(), "COM: 0");
    // The optional features start on their first page, although never shown yet.
    for (const char* name : {"Frame2", "Frame1"})
        EXPECT_TRUE(find<QWidget>(form("Form3"), name)->isVisibleTo(form("Form3"))) << name;
    for (const char* name : {"Frame3", "Frame5"})
        EXPECT_FALSE(find<QWidget>(form("Form3"), name)->isVisibleTo(form("Form3"))) << name;
}

// The width of the list's text field, beside its arrow.
int TextRoom(QComboBox* list) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = list->isEditable();
    return list->style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list)
        .width();
}

TEST_F(StartUpTest, FeatureListsHoldEveryEntryWholeInBothLanguagesAtOneWidth) {
    QWidget* form3 = form("Form3");
    window->showChild(form3);
    auto* page2 = find<QAbstractButton>(form3, "Option2");
    page2->click();  // both pages laid out
    QApplication::processEvents();
    std::map<QComboBox*, int> widths;
    for (QComboBox* list : form3->findChildren<QComboBox*>())
        if (!list->isHidden()) widths[list] = list->width();  // hidden fields aside
    ASSERT_GT(widths.size(), 20u);
    for (int language : {0, 1}) {
        window->setLanguage(language);
        QApplication::processEvents();
        for (auto [list, width] : widths) {
            const QString name = list->objectName();
            EXPECT_EQ(list->width(), width) << name.toStdString() << " in language " << language;
            const QFontMetrics metrics(list->font());
            for (int i = 0; i < list->count(); ++i)
                EXPECT_LE(metrics.horizontalAdvance(list->itemText(i)), TextRoom(list))
                    << name.toStdString() << ": " << list->itemText(i).toStdString();
        }
    }
}

}  // namespace
}  // namespace varel::test
