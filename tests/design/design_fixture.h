// A design window over a small report, driven with the simulated mouse and keyboard:
// a detail band and a summary band, labels placed in pixels, the messages shown
// collected, and the save question answered by the test.
#pragma once

#include "core/settings/preferences.h"
#include "design/design_geometry.h"
#include "design/design_surface.h"
#include "design/design_window.h"
#include "design/question_window.h"
#include "design/selection_list.h"
#include "document/class_registration.h"
#include "document/document_messages.h"
#include "document/vel_application.h"
#include "document/vel_design.h"
#include "engine/rp_new_band.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"

#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

class DesignTest : public testing::Test {
protected:
    void SetUp() override
    {
        classregistration::registerStorableClasses();
        ASSERT_TRUE(folder.isValid());
        m_savedPreferences = preferences();
        preferences().keepInParent = false;
        preferences().gridOn = false;
        preferences().showBandNames = false;
        m_previousHandler = docmessages::setHandler([this](const QString& text) { messages.append(text); });
        setYesNoCancelAnswerer([this](const QString& text) {
            questions.append(text);
            return answer;
        });
        window = openWindow();
        // The default unit follows the locale; these tests read lengths in millimetres.
        window->report()->setUnits(TRpUnit::MM);
        detail = addBand(window, QStringLiteral("Detail"), TRpBandType::rbDetail, 400);
        summary = addBand(window, QStringLiteral("Summary"), TRpBandType::rbSummary, 300);
    }

    void TearDown() override
    {
        for (TVelDesignWindow* w : std::as_const(windows))
            delete w;
        setYesNoCancelAnswerer({});
        docmessages::setHandler(std::move(m_previousHandler));
        preferences() = m_savedPreferences;
        TVelApplication::instance().closeAll();
    }

    TVelDesignWindow* openWindow()
    {
        auto* w = new TVelDesignWindow();
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->show();
        windows.append(w);
        return w;
    }

    static TRpBand* addBand(TVelDesignWindow* w, const QString& name, TRpBandType type, double height)
    {
        TRpBand* band = rpNewBand(w->document(), w->report(), name, type, height);
        band->setDesigning(true);
        w->refreshView();
        return band;
    }

    // A label at pixel bounds on its band, named and captioned.
    TRpLabel* addLabel(const QString& name, QRect bounds, TControl* parent = nullptr, TVelDesignWindow* w = nullptr)
    {
        w = w ? w : window;
        auto* label = new TRpLabel(w->document());
        label->setNameUnchecked(name);
        label->setCaption(name);
        label->setParentControl(parent ? parent : detail);
        label->setBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
        label->setDesigning(true);
        w->refreshView();
        return label;
    }

    // A point of a control in surface coordinates.
    static QPoint at(const TControl* control, QPoint inside = QPoint(2, 2))
    {
        return designgeometry::offsetInReport(control) + inside;
    }

    void click(QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier, TVelDesignWindow* w = nullptr)
    {
        QTest::mouseClick((w ? w : window)->surface(), Qt::LeftButton, modifiers, point);
    }

    // Press, move in small steps, release: as a hand on the mouse does.
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* surface = window->surface();
        QTest::mousePress(surface, Qt::LeftButton, modifiers, from);
        const int steps = 4;
        for (int i = 1; i <= steps; ++i)
            QTest::mouseMove(surface, from + (to - from) * i / steps);
        QTest::mouseRelease(surface, Qt::LeftButton, modifiers, to);
    }

    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, TVelDesignWindow* w = nullptr)
    {
        QTest::keyClick((w ? w : window)->surface(), Qt::Key(key), modifiers);
    }

    QList<TControl*> selected() const { return window->selection().controls(); }

    QString path(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    QStringList messages;
    QStringList questions;
    TYesNoCancel answer = TYesNoCancel::No;
    QList<TVelDesignWindow*> windows;
    TVelDesignWindow* window = nullptr;
    TRpBand* detail = nullptr;
    TRpBand* summary = nullptr;

private:
    Preferences m_savedPreferences;
    docmessages::Handler m_previousHandler;
};
