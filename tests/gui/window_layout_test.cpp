// Every child window, in both languages, at the size it opens at and after a switch of the
// language while it is open: each window lies inside the main window's work area, which keeps
// the size of the first start, and every control shown lies inside its window, its text whole.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QRadioButton>

#include "gui/app_fixture.h"

namespace varel::test {
namespace {

const char* const kChildren[] = {"Form1", "Form3", "Form4", "Form5", "Form6"};

// The path of a control below its window, for the messages.
QString PathOf(const QWidget* control, const QWidget* window) {
    QString path = control->objectName().isEmpty() ? control->metaObject()->className()
                                                   : control->objectName();
    for (const QWidget* w = control->parentWidget(); w != nullptr && w != window;
         w = w->parentWidget())
        if (!w->objectName().isEmpty()) path = w->objectName() + "/" + path;
    return path;
}

// The part of a window where a control can be seen: the viewport of the nearest scroll area
// that holds it (which scrolls what it holds into view), else the window's contents.
const QWidget* SeenIn(const QWidget* control, const QWidget* editor) {
    for (const QWidget* w = control->parentWidget(); w != nullptr && w != editor;
         w = w->parentWidget()) {
        const auto* area = qobject_cast<const QAbstractScrollArea*>(w->parentWidget());
        if (area != nullptr && area->viewport() == w) return w;
    }
    return editor;
}

class WindowLayoutTest : public AppFixture {
protected:
    // What lies outside where it should be, one line each; empty when everything fits.
    QStringList misfits() {
        QStringList found;
        const QWidget* area = window->findChild<QMdiArea*>("MDIArea")->viewport();
        if (window->size() != startSize)
            found << QString("the main window is %1x%2, not %3x%4")
                         .arg(window->width())
                         .arg(window->height())
                         .arg(startSize.width())
                         .arg(startSize.height());
        for (const char* name : kChildren) {
            QWidget* editor = form(name);
            const QWidget* frame = editor->parentWidget();
            if (!frame->isVisible()) continue;
            if (!area->rect().contains(frame->geometry()))
                found << QString("%1 %2 lies outside the work area %3x%4")
                             .arg(name)
                             .arg(Text(frame->geometry()))
                             .arg(area->width())
                             .arg(area->height());
            for (QWidget* control : editor->findChildren<QWidget*>()) {
                if (!control->isVisible() || control->isWindow()) continue;
                const QWidget* within = SeenIn(control, editor);
                const QRect seen = within->rect();
                const QRect at(control->mapTo(within, QPoint()), control->size());
                if (!seen.contains(at))
                    found << QString("%1/%2 %3 lies outside %4")
                                 .arg(name, PathOf(control, editor), Text(at), Text(seen));
                const bool hasText = qobject_cast<QLabel*>(control) != nullptr ||
                                     qobject_cast<QAbstractButton*>(control) != nullptr ||
                                     qobject_cast<QComboBox*>(control) != nullptr;
                if (hasText && control->width() < control->minimumSizeHint().width())
                    found << QString("%1/%2 is %3 wide, its text needs %4")
                                 .arg(name, PathOf(control, editor))
                                 .arg(control->width())
                                 .arg(control->minimumSizeHint().width());
            }
        }
        return found;
    }
    static QString Text(const QRect& r) {
        return QString("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    // Every page of the optional features editor in turn, checking each.
    void checkEveryPage(const std::string& when) {
        for (const char* page : {"Option2", "Option1"}) {
            find<QRadioButton>(form("Form3"), page)->click();
            QApplication::processEvents();
            EXPECT_EQ(misfits(), QStringList()) << when << ", page " << page;
        }
    }

    const QSize startSize{1000, 700};  // the main window at the first start
};

TEST_F(WindowLayoutTest, EveryControlFitsAtOpeningAndAfterALanguageSwitch) {
    for (const int flag : {0, 1}) {
        start(flag);
        QApplication::processEvents();
        const std::string language = flag == 0 ? "Chinese" : "English";
        for (const char* name : kChildren) {
            window->showChild(form(name));
            QApplication::processEvents();
            EXPECT_EQ(misfits(), QStringList()) << name << " opened in " << language;
        }
        checkEveryPage("all open in " + language);
        window->setLanguage(1 - flag);
        QApplication::processEvents();
        EXPECT_EQ(misfits(), QStringList()) << "switched from " << language;
        checkEveryPage("switched from " + language);
    }
}

}  // namespace
}  // namespace varel::test
