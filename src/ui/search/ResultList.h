#pragma once
// What the search results and the unsold works share: the banner, the find
// box with "Trova", the list of summary lines, "Chiudi" and "Stampa", and the
// commands on them (find in list, printing, opening a line in the sheet).

#include "search/SummaryList.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QString>
#include <functional>

namespace pinakos {

class Picture;
class Shape;
class Sheet;
class SummaryModel;

class ResultList
{
public:
    Picture* imgLogo = nullptr;
    QLabel* lblRigo01 = nullptr;
    QLabel* lblRigo02 = nullptr;
    Shape* shpLente = nullptr;
    Picture* imgLente = nullptr;
    Shape* shpSfondo = nullptr;
    QLineEdit* txtTrova = nullptr;
    QPushButton* btnTrova = nullptr;
    Shape* shpLista = nullptr;
    QListView* lstRecords = nullptr;
    QLabel* lblRigo03 = nullptr;
    QPushButton* btnChiudi = nullptr;
    QPushButton* btnStampa = nullptr;
    SummaryModel* lines = nullptr; // what lstRecords shows

    // The line selected in the list, or -1.
    int selectedLine() const;

protected:
    ResultList() = default;
    ~ResultList() = default;

    // Builds the controls on `panel`, with the banner picture `banner`.
    void buildResults(QWidget* panel, const QString& banner);
    // Sorts the lines and shows them: items 1600 wide, scroll bars shown.
    void showLines(SummaryList list);
    void emptyList();
    // Find in list with this kind of window's last key; the message for an
    // empty list, nothing else is ever said.
    void findInList(QWidget* window, QString& lastKey);
    // Prints the lines in list order as the list report.
    void printLines(QWidget* window, const QString& title);
    // Shows the work of the selected line in the sheet. Failures throw.
    void openSelected(Sheet* sheet);
    // Runs `handler` on a double-click anywhere on the list, on a line or
    // below the last one.
    void onListDoubleClick(std::function<void()> handler);
};

} // namespace pinakos
