// TLanguage: the non-visual component every window owns (named Language1). Its OnInit
// handler labels the window; it runs after the window's layout is read and again after
// every language change.
#pragma once

#include "core/strings/language.h"

#include <QObject>

#include <functional>

// The base class; becomes the component class once windows are components.
using TLanguageBase = QObject;

class TLanguage : public TLanguageBase, public LiveLanguageComponent {
    Q_OBJECT
public:
    using InitHandler = std::function<void(QObject* sender)>;

    explicit TLanguage(QObject* owner = nullptr);
    ~TLanguage() override;

    const InitHandler& onInit() const { return m_onInit; }
    void setOnInit(InitHandler handler) { m_onInit = std::move(handler); }

    bool isDesigning() const { return m_designing; }
    void setDesigning(bool designing) { m_designing = designing; }

    // Called once the owning window's layout has been built: the window's first labelling.
    void loaded();

    void languageChanged() override;

private:
    void fireInit();

    InitHandler m_onInit;
    bool m_designing = false;
};
