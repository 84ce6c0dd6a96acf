#pragma once
// What each of the five checklist forms shows: its window, its captions and its tabs with the
// code-set query of every tab. ChecklistForm builds any of them from this; nothing here knows a
// widget.
#include <QSize>
#include <QString>
#include <QVector>

enum class ChecklistKind { General, Elderly, Smoking, ChildDevelopment, Alcohol };

// How the window opens: maximised, at its size with a sizeable frame, or as a fixed-size dialog.
enum class ChecklistFrame { Maximised, Resizable, FixedDialog };

struct ChecklistTab
{
    QString caption;
    // Written with double-quoted literals; the query layer sends them as single quotes.
    QString query;
};

struct ChecklistDefinition
{
    QString className;
    QString windowCaption;
    QString groupCaption;
    ChecklistFrame frame = ChecklistFrame::Resizable;
    // The inner area at opening; for the maximised form, its size once restored.
    QSize innerSize;
    int tabHeight = 0;
    int rowHeight = 0;
    QVector<ChecklistTab> tabs;
    // The elderly form's extras: the tick-all strip above this tab's list (index from 0) and the
    // disabled ICD10 button in the bottom bar. -1: none.
    int tickAllTab = -1;
};

const ChecklistDefinition& checklistDefinition(ChecklistKind kind);
