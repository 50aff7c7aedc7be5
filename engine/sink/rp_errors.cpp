#include "engine/sink/rp_errors.h"

ERpPrinterError::ERpPrinterError(QString message)
    : m_message(std::move(message)), m_utf8(m_message.toUtf8())
{
}
