#include "app/language_component.h"

TLanguage::TLanguage(QObject* owner)
    : TLanguageBase(owner)
{
}

TLanguage::~TLanguage() = default;

void TLanguage::loaded()
{
    fireInit();
}

void TLanguage::languageChanged()
{
    fireInit();
}

void TLanguage::fireInit()
{
    if (!m_designing && m_onInit)
        m_onInit(this);
}
