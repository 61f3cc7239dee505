#pragma once

#include "thingstodo/logic/ToDoItems.h"

#include <QDate>
#include <QString>

// To-do items as the tests of the list make them: a project's or a client's, with a text, a
// priority and the dates given (none unless given).
namespace ToDoFixture {

inline ToDoItem projectItem(const QString& project, const QString& text,
                            const QString& priority = "3", const QDate& start = {},
                            const QDate& deadline = {}) {
    ToDoItem item;
    item.project = project;
    item.thingToDo = text;
    item.priority = priority;
    item.startDate = start;
    item.deadline = deadline;
    return item;
}

inline ToDoItem clientItem(const QString& last, const QString& first, const QString& text,
                           const QString& priority = "3", const QDate& start = {},
                           const QDate& deadline = {}) {
    ToDoItem item = projectItem(QString(), text, priority, start, deadline);
    item.kind = ToDoItem::Kind::Client;
    item.lastName = last;
    item.firstName = first;
    return item;
}

} // namespace ToDoFixture
