#include "clsFileControl.h"

clsFileControl::clsFileControl(MessageSink &messages) : m_messages(messages)
{
}

clsFileControl::~clsFileControl()
{
    // Release the records in slot order.
    for (auto &slot : m_elements) {
        slot.reset();
    }
}

std::shared_ptr<clsElement> clsFileControl::getElement(qint16 intPart)
{
    if (!Slot::isValid(intPart)) {
        return nullptr;
    }
    auto &slot = m_elements[static_cast<std::size_t>(intPart - Slot::First)];
    if (!slot) {
        slot = std::make_shared<clsElement>();
    }
    return slot;
}

std::shared_ptr<const clsElement> clsFileControl::getElement(qint16 intPart) const
{
    if (!Slot::isValid(intPart)) {
        return nullptr;
    }
    static const auto empty = std::make_shared<const clsElement>();
    const auto &slot = m_elements[static_cast<std::size_t>(intPart - Slot::First)];
    return slot ? slot : empty;
}

void clsFileControl::setElement(std::shared_ptr<clsElement> Class, qint16 intPart)
{
    if (!Slot::isValid(intPart)) {
        return;
    }
    m_elements[static_cast<std::size_t>(intPart - Slot::First)] = std::move(Class);
}

void clsFileControl::setFileName(const QString &value)
{
    m_fileName = value;
}

QString clsFileControl::getFileName() const
{
    return m_fileName;
}
