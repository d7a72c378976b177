#pragma once

#include "resources/control_ids.h"

#include <QPointer>
#include <QWidget>
#include <unordered_map>

// The dialog's controls by template id, as handlers reach them.
class ControlMap {
public:
    void Add(int id, QWidget* control) { m_by_id[id] = control; }

    // The control with `id`, or nullptr.
    QWidget* Find(int id) const
    {
        const auto found = m_by_id.find(id);
        return found == m_by_id.end() ? nullptr : found->second.data();
    }

    QWidget* Find(ControlId id) const { return Find(Id(id)); }

    // The control with `id` when it is a `Control`, or nullptr.
    template <class Control> Control* Get(int id) const { return qobject_cast<Control*>(Find(id)); }
    template <class Control> Control* Get(ControlId id) const { return Get<Control>(Id(id)); }

private:
    std::unordered_map<int, QPointer<QWidget>> m_by_id;
};
