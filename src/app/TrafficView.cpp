// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TrafficView.h"

#include "app/Dialogs.h"
#include "app/PanelSettings.h"
#include "files/FileProblem.h"
#include "files/ParameterFile.h"
#include "files/TextFile.h"
#include "link/ClockConnection.h"
#include "link/CommandLineCheck.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

namespace {

constexpr int kTimeWidth = 84;
constexpr int kDirectionWidth = 28;
constexpr int kLineWidth = 170;
constexpr int kViewHeight = 220;

template <typename T> T* Named(T* object, const char* name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

// English has no translation file, so each English source reads right for
// every count it stands for; %n gives other languages their plural forms.
QString SkippedText(int skipped)
{
    if (skipped == 0)
        return TrafficView::tr("Paused: no line skipped");
    if (skipped == 1)
        return TrafficView::tr("Paused: 1 line skipped");
    return TrafficView::tr("Paused: %n lines skipped", nullptr, skipped);
}

// Laid out now, not at the first show, so that their controls have their
// room (and their texts fit) while the view is still closed; inner parts
// first, since a hidden widget's layout does not follow its resizing.
void LayOutNow(std::initializer_list<QWidget*> parts)
{
    for (QWidget* part : parts) {
        part->resize(part->sizeHint());
        part->layout()->activate();
    }
}

} // namespace

TrafficView::TrafficView(const Parts& parts, QWidget* parent)
    : QDockWidget(tr("Traffic"), parent)
    , parts_(parts)
{
    setObjectName(QStringLiteral("TrafficView"));
    filter_.setSourceModel(&model_);
    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(4, 4, 4, 4);
    QWidget* tools = BuildTools();
    column->addWidget(tools);
    BuildTable();
    column->addWidget(lines_, 1);
    paused_ = Named(new QLabel(body), "TrafficPaused");
    paused_->hide();
    column->addWidget(paused_);
    QWidget* commands = BuildCommandRow();
    column->addWidget(commands);
    refusal_ = Named(new QLabel(body), "TrafficRefusal");
    refusal_->setWordWrap(true);
    refusal_->hide();
    column->addWidget(refusal_);
    setWidget(body);
    LayOutNow({tools, commands, body});
    NameControls();
    Bind();
    ShowLinkState();
    hide();
}

QWidget* TrafficView::BuildTools()
{
    auto* tools = new QWidget(this);
    auto* row = new QHBoxLayout(tools);
    row->setContentsMargins(0, 0, 0, 0);
    pollFilter_ = Named(new QCheckBox(tr("Show poll traffic"), tools), "TrafficPollFilter");
    search_ = Named(new QLineEdit(tools), "TrafficSearch");
    search_->setPlaceholderText(tr("Search"));
    search_->setClearButtonEnabled(true);
    pause_ = Named(new QPushButton(tr("Pause"), tools), "TrafficPause");
    pause_->setCheckable(true);
    copy_ = Named(new QPushButton(tr("Copy"), tools), "TrafficCopy");
    clear_ = Named(new QPushButton(tr("Clear"), tools), "TrafficClear");
    save_ = Named(new QPushButton(tr("Save as..."), tools), "TrafficSave");
    row->addWidget(pollFilter_);
    row->addWidget(search_, 1);
    for (QPushButton* button : {pause_, copy_, clear_, save_})
        row->addWidget(button);
    return tools;
}

// Rows of one height and fixed columns: the view then lays out only the
// rows it shows, however many the model holds.
void TrafficView::BuildTable()
{
    lines_ = Named(new QTableView(this), "TrafficLines");
    lines_->setModel(&filter_);
    lines_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lines_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lines_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lines_->setWordWrap(false);
    lines_->setShowGrid(false);
    lines_->setMinimumHeight(kViewHeight);
    QHeaderView* rows = lines_->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(lines_->fontMetrics().height() + 4);
    QHeaderView* columns = lines_->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setStretchLastSection(true);
    columns->resizeSection(TrafficModel::TimeColumn, kTimeWidth);
    columns->resizeSection(TrafficModel::DirectionColumn, kDirectionWidth);
    columns->resizeSection(TrafficModel::LineColumn, kLineWidth);
}

QWidget* TrafficView::BuildCommandRow()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    command_ = Named(new QLineEdit(box), "TrafficCommand");
    command_->setPlaceholderText(tr("Command line"));
    send_ = Named(new QPushButton(tr("Send"), box), "TrafficSend");
    row->addWidget(command_, 1);
    row->addWidget(send_);
    return box;
}

void TrafficView::NameControls()
{
    lines_->setAccessibleName(tr("Traffic lines"));
    pollFilter_->setAccessibleName(tr("Show poll traffic"));
    search_->setAccessibleName(tr("Search the traffic"));
    pause_->setAccessibleName(tr("Pause the traffic"));
    copy_->setAccessibleName(tr("Copy traffic lines"));
    clear_->setAccessibleName(tr("Clear the traffic"));
    save_->setAccessibleName(tr("Save the traffic as"));
    paused_->setAccessibleName(tr("Pause state"));
    command_->setAccessibleName(tr("Command line to send"));
    send_->setAccessibleName(tr("Send command line"));
    refusal_->setAccessibleName(tr("Why the command line was refused"));
}

void TrafficView::Bind()
{
    connect(pollFilter_, &QCheckBox::toggled, &filter_, &TrafficFilter::SetShowPoll);
    connect(search_, &QLineEdit::textChanged, &filter_, &TrafficFilter::SetSearch);
    connect(pause_, &QPushButton::toggled, &model_, &TrafficModel::SetPaused);
    connect(&model_, &TrafficModel::SkippedChanged, this, &TrafficView::ShowPaused);
    connect(copy_, &QPushButton::clicked, this, &TrafficView::CopyRows);
    connect(clear_, &QPushButton::clicked, &model_, &TrafficModel::Clear);
    connect(save_, &QPushButton::clicked, this, &TrafficView::SaveRows);
    connect(send_, &QPushButton::clicked, this, &TrafficView::SendLine);
    connect(command_, &QLineEdit::returnPressed, this, &TrafficView::SendLine);
    connect(&parts_.connection, &ClockConnection::StateChanged, this, &TrafficView::ShowLinkState);
    connect(&filter_, &QAbstractItemModel::rowsAboutToBeInserted, this, &TrafficView::NoteScrollPosition);
    connect(&filter_, &QAbstractItemModel::rowsInserted, this, &TrafficView::FollowNewest);
}

void TrafficView::SetOpen(bool open)
{
    if (open == IsOpen())
        return;
    if (open)
        model_.Attach(parts_.connection);
    else
        model_.Detach();
    setVisible(open);
}

void TrafficView::Dock(QMainWindow& window, QAction& toggle, const QString& settingsFile)
{
    window_ = &window;
    settingsFile_ = settingsFile;
    const TrafficViewSetting setting = ReadTrafficViewSetting(settingsFile);
    window.addDockWidget(setting.area, this);
    SetOpen(setting.open);
    toggle.setChecked(setting.open);
    connect(&toggle, &QAction::toggled, this, &TrafficView::SetOpen);
    connect(&toggle, &QAction::triggered, this, &TrafficView::StoreSetting);
    connect(this, &TrafficView::ClosedByUser, this, [this, &toggle] {
        toggle.setChecked(false);
        StoreSetting();
    });
    connect(this, &QDockWidget::dockLocationChanged, this, &TrafficView::StoreSetting);
}

// Kept quietly, as the window's placement is: a view that opens elsewhere
// next time is no loss to warn about.
void TrafficView::StoreSetting()
{
    if (window_)
        StoreTrafficViewSetting(settingsFile_, {IsOpen(), window_->dockWidgetArea(this)});
}

void TrafficView::ShowEverything()
{
    pollFilter_->setChecked(true);
    model_.Flush();
}

void TrafficView::closeEvent(QCloseEvent* event)
{
    QDockWidget::closeEvent(event);
    model_.Detach();
    emit ClosedByUser();
}

void TrafficView::ShowPaused()
{
    paused_->setVisible(model_.Paused());
    paused_->setText(SkippedText(model_.Skipped()));
}

void TrafficView::ShowLinkState()
{
    const bool open = parts_.connection.CurrentState() == ClockConnection::State::Open;
    command_->setEnabled(open);
    send_->setEnabled(open);
}

// The view's rows in order, as the model's rows: the selected ones, or all
// that are shown when none is selected.
QList<int> TrafficView::ShownRows(bool selectedOnly) const
{
    QList<int> rows;
    if (selectedOnly) {
        for (const QModelIndex& index : lines_->selectionModel()->selectedRows())
            rows << filter_.mapToSource(index).row();
        std::sort(rows.begin(), rows.end());
    }
    if (rows.isEmpty()) {
        for (int row = 0; row < filter_.rowCount(); ++row)
            rows << filter_.mapToSource(filter_.index(row, 0)).row();
    }
    return rows;
}

void TrafficView::CopyRows()
{
    QGuiApplication::clipboard()->setText(QString::fromLatin1(model_.LogText(ShownRows(true))));
}

// Saved as every other file of the panel is: to a new file, flushed, then
// renamed over the old one, so a failed save leaves the old file whole.
void TrafficView::SaveRows()
{
    const QString file = parts_.dialogs.SaveFileName(window(),
        {tr("Save traffic"), tr("Traffic logs *.log|*.log|All Files *.*|*.*"), QStringLiteral("log")});
    if (file.isEmpty())
        return;
    int error = 0;
    if (!SaveBytes(file, model_.LogText(ShownRows(false)), &error))
        parts_.fileError(QCoreApplication::translate("TForm1", "File save error "), file,
            FileProblem::System(error));
}

void TrafficView::SendLine()
{
    if (!send_->isEnabled())
        return;
    // Beyond ASCII nothing is a command line: its UTF-8 is what is checked.
    const QByteArray line = command_->text().toUtf8();
    QString refusal = WhyNotACommandLine(line);
    if (refusal.isEmpty())
        refusal = LinkFitRefusal(line, parts_.connection.Link());
    refusal_->setText(refusal);
    refusal_->setVisible(!refusal.isEmpty());
    if (!refusal.isEmpty())
        return;
    parts_.queueCommand(line);
    command_->clear();
}

void TrafficView::NoteScrollPosition()
{
    const QScrollBar* bar = lines_->verticalScrollBar();
    atNewest_ = bar->value() == bar->maximum();
}

void TrafficView::FollowNewest()
{
    if (atNewest_)
        lines_->scrollToBottom();
}
