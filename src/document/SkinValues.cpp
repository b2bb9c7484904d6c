#include "SkinValues.h"

using namespace Qt::StringLiterals;

QString SkinValues::value(SkinFields::FieldId id) const
{
    const auto found = m_values.find(id);
    return found == m_values.end() ? QString() : found->second;
}

void SkinValues::set(SkinFields::FieldId id, const QString &value)
{
    m_values[id] = value;
}

bool SkinValues::ticked(SkinFields::Kind kind, qint16 index) const
{
    return index == Sections::kNone || value({kind, index}) == u"1"_s;
}
