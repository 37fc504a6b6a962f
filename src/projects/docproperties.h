#pragma once
// The properties of a document file, shown from the projects dialog's file pop-up.
#include <QString>

class QWidget;

// Shows the file's title, size and dates. A fuller properties window replaces this one
// function when it is built.
void ShowDocumentProperties(QWidget *parent, const QString &file);
