#include "SkinDocument.h"

SkinDocument::SkinDocument(QObject *parent) : QObject(parent)
{
}

void SkinDocument::edit(const QString &text, const Values &values, SetFieldsCommand::Run run,
                        quint64 runNumber)
{
    std::vector<SetFieldsCommand::Change> changes;
    bool changing = false;
    for (const auto &[field, value] : values) {
        changes.push_back({field, m_values.value(field), value});
        changing = changing || changes.back().before != value;
    }
    if (!changing) {
        return;
    }
    apply(values, false);
    m_stack.push(new SetFieldsCommand(*this, text, std::move(changes), run, runNumber));
}

void SkinDocument::replace(const SkinValues &values)
{
    m_values = values;
    m_stack.clear();
    emit replaced();
}

void SkinDocument::apply(const Values &values, bool undoOrRedo)
{
    std::vector<SkinFields::FieldId> fields;
    for (const auto &[field, value] : values) {
        m_values.set(field, value);
        fields.push_back(field);
    }
    emit fieldsChanged(fields, undoOrRedo);
}
