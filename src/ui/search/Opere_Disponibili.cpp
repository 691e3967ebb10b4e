#include "search/Opere_Disponibili.h"

#include "base/Format.h"
#include "kit/FieldKeys.h"
#include "kit/Guard.h"
#include "kit/Layout.h"
#include "kit/Sheet.h"
#include "search/Search.h"
#include "search/SummaryModel.h"

#include <QShowEvent>

using namespace pinakos;

namespace {

// The last find key of this window, one for all its openings in the
// program's run and apart from the search window's.
QString& lastFindKey()
{
    static QString key;
    return key;
}

} // namespace

TfrmOpere_Disponibili::TfrmOpere_Disponibili(QWidget* parent) : GradientForm(parent)
{
    // FormCreate
    setFixedFrame(this, QStringLiteral(" Riepilogo opere d'arte non vendute"), 862, 560);
    setGradient(Qt::black, Qt::white);
    setPanelSize(833, 529);
    buildResults(panContainer, art("disponibili_logo"));

    QWidget* order[] = {txtTrova, lstRecords, btnStampa, btnTrova, btnChiudi};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    auto* keys = new FieldKeys(this);
    keys->setNext(txtTrova, btnTrova);

    connect(btnChiudi, &QPushButton::clicked, this, &TfrmOpere_Disponibili::btnChiudiClick);
    connect(btnTrova, &QPushButton::clicked, this, &TfrmOpere_Disponibili::btnTrovaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmOpere_Disponibili::btnStampaClick);
    onListDoubleClick([this] { lstRecordsDblClick(); });
}

void TfrmOpere_Disponibili::showEvent(QShowEvent* e)
{
    GradientForm::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

// Builds the list. A failure says nothing: the lines read before it stay.
void TfrmOpere_Disponibili::FormShow()
{
    centreOnScreen(this);
    lastFindKey().clear();
    txtTrova->clear();
    emptyList();
    SummaryList unsold;
    runSilently([&] { collectSummaries(m_sheet ? m_sheet->catalogPath() : QString(), isUnsold, unsold); });
    showLines(std::move(unsold));
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmOpere_Disponibili::done(int result)
{
    FormClose();
    GradientForm::done(result);
}

void TfrmOpere_Disponibili::FormClose() { emptyList(); }

void TfrmOpere_Disponibili::btnTrovaClick() { findInList(this, lastFindKey()); }

void TfrmOpere_Disponibili::btnStampaClick()
{
    runHandler(this, [this] { printLines(this, QStringLiteral("Riepilogo opere d'arte non vendute")); });
}

// Brings the work back into the sheet and closes, silently whatever happens.
void TfrmOpere_Disponibili::lstRecordsDblClick()
{
    runSilently([this] { openSelected(m_sheet); });
    close();
}
