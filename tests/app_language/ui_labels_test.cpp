#include "app/ui_labels.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct CaptionCase {
    const char* kind;
    // Makes the control inside holder and answers where its caption shows.
    std::function<std::function<QString()>(QWidget* holder, QObject** control)> make;
};

const CaptionCase kCaptionCases[] = {
    {"Button", [](QWidget* holder, QObject** control) -> std::function<QString()> {
         auto* button = new QPushButton(holder);
         *control = button;
         return [button] { return button->text(); };
     }},
    {"Label", [](QWidget* holder, QObject** control) -> std::function<QString()> {
         auto* label = new QLabel(holder);
         *control = label;
         return [label] { return label->text(); };
     }},
    {"EditField", [](QWidget* holder, QObject** control) -> std::function<QString()> {
         auto* edit = new QLineEdit(holder);
         *control = edit;
         return [edit] { return edit->text(); };
     }},
    {"GroupBox", [](QWidget* holder, QObject** control) -> std::function<QString()> {
         auto* group = new QGroupBox(holder);
         *control = group;
         return [group] { return group->title(); };
     }},
    {"Window", [](QWidget* holder, QObject** control) -> std::function<QString()> {
         *control = holder;
         return [holder] { return holder->windowTitle(); };
     }},
    {"TabPage", [](QWidget* holder, QObject** control) -> std::function<QString()> {
         auto* tabs = new QTabWidget(holder);
         tabs->addTab(new QWidget, QStringLiteral("first"));
         auto* page = new QWidget;
         tabs->addTab(page, QStringLiteral("second"));
         *control = page;
         return [tabs] { return tabs->tabText(1); };
     }},
    {"Menu", [](QWidget* holder, QObject** control) -> std::function<QString()> {
         auto* menu = new QMenu(holder);
         *control = menu;
         return [menu] { return menu->title(); };
     }},
    {"Action", [](QWidget* holder, QObject** control) -> std::function<QString()> {
         auto* action = new QAction(holder);
         *control = action;
         return [action] { return action->text(); };
     }},
};

class ControlCaption : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(ControlCaption, ShowsTheTextOfTheId)
{
    auto holder = std::make_unique<QWidget>();
    QObject* control = nullptr;
    const std::function<QString()> caption = GetParam().make(holder.get(), &control);
    SetControlCaption(control, 33264);
    EXPECT_EQ(caption(), QStringLiteral("&Ok"));
    SetControlCaption(control, 33266);  // relabelling replaces the caption
    EXPECT_EQ(caption(), QStringLiteral("&Cancel"));
}

INSTANTIATE_TEST_SUITE_P(Kinds, ControlCaption, ::testing::ValuesIn(kCaptionCases),
                         [](const auto& info) { return std::string(info.param.kind); });

TEST(ControlHint, CaptionAtTheIdAndHintAtTheNext)
{
    QWidget holder;
    auto* button = new QPushButton(&holder);
    SetControlCaptionAndHint(button, 33264);
    EXPECT_EQ(button->text(), QStringLiteral("&Ok"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("Accept these settings"));
    SetControlHint(button, 33269);
    EXPECT_EQ(button->toolTip(), QStringLiteral("Help about this screen"));
    EXPECT_EQ(button->text(), QStringLiteral("&Ok"));
}

TEST(MenuCaptionAndHint, LabelsActionsAndSubMenus)
{
    QMenu menuBar;
    QAction* item = menuBar.addAction(QString());
    SetMenuCaptionAndHint(item, 33133);
    EXPECT_EQ(item->text(), QStringLiteral("&Language"));
    EXPECT_EQ(menuItemHint(item), QStringLiteral("&Select a language for Velmor"));

    QMenu* file = menuBar.addMenu(QString());
    SetMenuCaptionAndHint(file, 33043);
    EXPECT_EQ(file->title(), QStringLiteral("&File"));
    EXPECT_EQ(file->menuAction()->text(), QStringLiteral("&File"));
    EXPECT_EQ(menuItemHint(file), QStringLiteral("File menu"));
}

TEST(ControlCaption, NullControlIsIgnored)
{
    EXPECT_NO_FATAL_FAILURE(SetControlCaptionAndHint(nullptr, 33264));
}

} // namespace
