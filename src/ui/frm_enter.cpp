#include "ui/frm_enter.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "core/files.h"
#include "core/language.h"
#include "core/text_util.h"
#include "core/units.h"
#include "engine/section_engine.h"
#include "input/edited_input.h"
#include "input/input_file.h"
#include "ui/parameter_panel.h"
#include "ui/frm_units.h"
#include "ui/qt_messages.h"
#include "ui/section_painter.h"
#include "ui/ui_common.h"

namespace tavo::ui {

namespace {

// Upper limit of the length, in centimetres.
constexpr double kLimitCm = 10000.0;
// The editable cells of the table.
const QColor kEditableCell(220, 220, 0);

constexpr const char* kLengthLabel = "L";
// Size of the sketch area; its drawing frame is 2500 units across whatever this is.
constexpr int kSketchWidth = 360;
constexpr int kSketchHeight = 270;

}  // namespace

const std::vector<frmEnter::FamilyChoice>& frmEnter::Families() {
  static const std::vector<FamilyChoice> kFamilies = {
      {"IPE", "IPE20"},       {"INP", "INP20"},        {"IPB (HE-B)", "IPB20"},
      {"UNP", "UNP20"},       {"2UNP", "2UNP20"},      {"L", "L60"},
      {"2L <>", "2L60<>"},    {"PG", "PG 600*8*250*15"}, {"BOX", "BOX 300*10*250*15"},
      {"TUBE", "TUBE 273*10"}, {"CROSS", "CROSS 400*300*8*200*12"}};
  return kFamilies;
}

frmEnter::frmEnter(ModuleContext& ctx, const SectionEngine* engine, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx), engine_(engine) {
  panel_ = std::make_unique<ParameterPanel>(
      [engine](const std::string& d) { return engine ? engine->ComputeQuietly(d) : Section{}; },
      engine ? &engine->catalogue() : nullptr);
  setObjectName("frmEnter");
  setWindowTitle(tr("Element table entry"));
  auto* layout = new QVBoxLayout(this);

  auto* top = new QHBoxLayout;
  auto* titleLabel = new QLabel(tr("Title"), this);
  title_ = new QLineEdit(Q(ctx.title), this);
  title_->setObjectName("txtTitle");
  top->addWidget(titleLabel);
  top->addWidget(title_, 1);
  units_ = new QLabel(this);
  units_->setObjectName("lblUnits");
  units_->setCursor(Qt::PointingHandCursor);
  units_->setToolTip(tr("Click to change display units"));
  units_->setStyleSheet("QLabel { color: #00007f; text-decoration: underline; }");
  units_->installEventFilter(this);
  top->addWidget(units_);
  id_ = new QLabel(this);
  id_->setObjectName("lblID");
  QFont bold = id_->font();
  bold.setBold(true);
  id_->setFont(bold);
  top->addWidget(id_);
  layout->addLayout(top);

  auto* middle = new QHBoxLayout;
  auto* variables = new QGroupBox(tr("Variables"), this);
  auto* grid = new QGridLayout(variables);
  grid->addWidget(new QLabel(tr("Section"), variables), 0, 0);
  family_ = new QComboBox(variables);
  family_->setObjectName("cboFamily");
  family_->setToolTip(tr("Section family: a rolled profile from the catalogue or a plated section"));
  for (const FamilyChoice& f : Families()) family_->addItem(f.label);
  grid->addWidget(family_, 0, 1, 1, 2);
  grid->addWidget(new QLabel(kLengthLabel, variables), 1, 0);
  length_ = new QLineEdit("0", variables);
  length_->setObjectName("txtLength");
  length_->setToolTip(tr("Member length"));
  length_->setAlignment(Qt::AlignRight);
  length_->setLayoutDirection(Qt::LeftToRight);
  grid->addWidget(length_, 1, 1);
  lengthLimit_ = new QLabel(variables);
  lengthLimit_->setObjectName("lblLimits");
  lengthLimit_->setLayoutDirection(Qt::LeftToRight);
  grid->addWidget(lengthLimit_, 1, 2);
  grid->setRowStretch(2, 1);
  connect(length_, &QLineEdit::textEdited, this, [this] { ComposeLine(); });
  connect(family_, &QComboBox::activated, this, &frmEnter::ChooseFamily);
  middle->addWidget(variables);

  auto* tableBox = new QGroupBox(tr("Dimensions"), this);
  auto* tableLayout = new QVBoxLayout(tableBox);
  table_ = new QTableWidget(tableBox);
  table_->setObjectName("MSFlexGrid1");
  // Dimensions keep their left-to-right order in both languages, as in the element line.
  table_->setLayoutDirection(Qt::LeftToRight);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tableLayout->addWidget(table_);
  tableLayout->addStretch(1);
  editor_ = new QLineEdit(table_->viewport());
  editor_->setObjectName("txtTable");
  editor_->setAlignment(Qt::AlignRight);
  editor_->hide();
  connect(editor_, &QLineEdit::returnPressed, this, &frmEnter::EndCellEdit);
  connect(editor_, &QLineEdit::editingFinished, this, &frmEnter::EndCellEdit);
  connect(table_, &QTableWidget::cellClicked, this, &frmEnter::BeginCellEdit);
  middle->addWidget(tableBox, 1);
  sketch_ = new QLabel(this);
  sketch_->setObjectName("Picture1");
  sketch_->setFixedSize(kSketchWidth, kSketchHeight);
  // The legend is drawn for left-to-right reading in both languages.
  sketch_->setLayoutDirection(Qt::LeftToRight);
  middle->addWidget(sketch_);
  layout->addLayout(middle);

  auto* lineRow = new QHBoxLayout;
  lineRow->addWidget(new QLabel(tr("Element line"), this));
  line_ = new QLineEdit(this);
  line_->setObjectName("txtLine");
  line_->setReadOnly(true);
  line_->setLayoutDirection(Qt::LeftToRight);
  line_->setFont(QFont("DejaVu Sans Mono"));
  lineRow->addWidget(line_, 1);
  layout->addLayout(lineRow);

  auto* buttons = new QHBoxLayout;
  combo_ = new QComboBox(this);
  combo_->setObjectName("Combo1");
  combo_->setToolTip(tr("Kind of member"));
  buttons->addWidget(combo_);
  par_ = new QPushButton(tr("Parameters"), this);
  par_->setObjectName("cmdPar");
  par_->setToolTip(tr("Show or hide the parameter sketch"));
  par_->setCheckable(true);
  par_->setChecked(true);
  buttons->addWidget(par_);
  connect(par_, &QPushButton::clicked, this, &frmEnter::cmdPar_Click);
  buttons->addStretch(1);
  add_ = new QPushButton(tr("Add"), this);
  add_->setObjectName("cmdAdd");
  add_->setToolTip(tr("Keep this element and enter the next"));
  go_ = new QPushButton(tr("Finish"), this);
  go_->setObjectName("CmdGo");
  go_->setToolTip(tr("Write the input file and design the elements"));
  if (ctx.runMode == 'E') {
    go_->setText(tr("Continue"));
    QFont f = go_->font();
    f.setBold(true);
    go_->setFont(f);
    go_->setStyleSheet("QPushButton { background-color: rgb(0, 255, 0); }");
  }
  buttons->addWidget(add_);
  buttons->addWidget(go_);
  layout->addLayout(buttons);
  connect(add_, &QPushButton::clicked, this, &frmEnter::cmdAdd_Click);
  connect(go_, &QPushButton::clicked, this, [this] { CmdGo_Click(); });

  ctx_.N = 1;
  lines_.assign(2, std::string());
  id_->setText("ID=1");
  units_->setText(Q("UNITS=" + ctx_.dataUnits));
  getdim();
  // The member kinds offered beside the entries; the choice is not part of the element line.
  getdim_combo(tr("Column/Beam/Bracing"), 0);
  ChooseFamily(0);
  resize(1200, 420);
}

frmEnter::~frmEnter() = default;

const Section& frmEnter::section() const { return panel_->section(); }

void frmEnter::ChooseFamily(int index) {
  EndCellEdit();
  if (index < 0 || index >= static_cast<int>(Families().size())) index = 0;
  if (family_->currentIndex() != index) family_->setCurrentIndex(index);
  panel_->SetLengthFactor(UnitFactors("units=" + ctx_.dataUnits, ctx_.messages).lengthFactor);
  const Section start = engine_ ? engine_->ComputeQuietly(Families()[static_cast<size_t>(index)].start) : Section{};
  panel_->BuildParameterPanel(start, 0);
  Enter_Table();
  ComposeLine();
}

void frmEnter::getdim() {
  const UnitSystem data = UnitFactors("units=" + ctx_.dataUnits, ctx_.messages);
  const double max = RoundTo(kLimitCm / data.lengthFactor, 3);
  lengthLimit_->setText(Q("0 < " + ShortestText(max) + " " + data.lengthName));
}

void frmEnter::getdim_combo(const QString& choices, int index) {
  combo_->clear();
  for (const QString& choice : choices.split('/', Qt::SkipEmptyParts)) combo_->addItem(choice.trimmed());
  if (combo_->count() == 0) return;
  combo_->setCurrentIndex(index >= 0 && index < combo_->count() ? index : 0);
}

void frmEnter::Enter_Table() {
  // One column per parameter of the family; the length has its own box.
  columnRows_.clear();
  const auto& rows = panel_->rows();
  for (size_t i = 0; i < rows.size(); ++i)
    if (rows[i].name != "L") columnRows_.push_back(static_cast<int>(i));
  const int columns = static_cast<int>(columnRows_.size());
  table_->clear();
  table_->setColumnCount(columns);
  table_->setRowCount(2);
  table_->horizontalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->verticalHeader()->hide();
  for (int c = 0; c < columns; ++c) {
    const ParameterRow& row = rows[static_cast<size_t>(columnRows_[static_cast<size_t>(c)])];
    const QString unit = row.unit.empty() ? QString() : QString(" [%1]").arg(Q(row.unit));
    auto* heading = new QTableWidgetItem(Q(row.name) + unit);
    heading->setTextAlignment(Qt::AlignCenter);
    heading->setBackground(QColor(192, 192, 192));
    table_->setItem(0, c, heading);
    auto* value = new QTableWidgetItem;
    value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setBackground(kEditableCell);
    table_->setItem(1, c, value);
  }
  FillCells();
  table_->setFixedHeight(table_->rowHeight(0) * 2 + 2 * table_->frameWidth() + 2);
}

void frmEnter::FillCells() {
  for (size_t c = 0; c < columnRows_.size(); ++c) {
    const SliderSetup s = panel_->SliderFor(columnRows_[c]);
    if (QTableWidgetItem* item = table_->item(1, static_cast<int>(c))) {
      item->setText(Q(s.text));
      item->setToolTip(Q(s.tooltip));
    }
  }
}

int frmEnter::ColumnOf(const std::string& name) const {
  for (size_t c = 0; c < columnRows_.size(); ++c)
    if (panel_->rows()[static_cast<size_t>(columnRows_[c])].name == name) return static_cast<int>(c);
  return -1;
}

double frmEnter::getdim2(int row, int column) const {
  const QTableWidgetItem* item = table_->item(row, column);
  return item ? NumericValue(S(item->text())) : 0.0;
}

std::string frmEnter::EntryText(double value) const { return Trim(ShortestText(value)); }

std::string frmEnter::ComposeLine() {
  // The designation the family writes for the entries, so the reader reads back this section.
  const double length = NumericValue(S(length_->text()));
  std::string line = ComposeElementLine(std::to_string(ctx_.N), panel_->designation(),
                                        length > 0 ? EntryText(length) : std::string());
  if (ctx_.N < 10) line.insert(0, " ");  // the ID right-aligned in two places
  line_->setText(Q(line));
  DrawSketch();
  return line;
}

void frmEnter::DrawSketch() {
  QImage image(sketch_->size(), QImage::Format_RGB32);
  // The section being entered, dimensioned with its values; the family legend until the
  // entries make a section.
  if (section().props.A > 0)
    PaintSection(image, ctx_, section(), PaintOptions{});
  else
    PaintSketch(image, ctx_, PaintOptions{});
  sketch_->setPixmap(QPixmap::fromImage(image));
}

void frmEnter::cmdPar_Click() {
  sketch_->setVisible(sketch_->isHidden());
  par_->setChecked(!sketch_->isHidden());
}

void frmEnter::cmdAdd_Click() {
  EndCellEdit();
  const std::string line = ComposeLine();
  lines_[static_cast<size_t>(ctx_.N)] = line;
  ++ctx_.N;
  lines_.resize(static_cast<size_t>(ctx_.N) + 1);
  id_->setText(QString("ID=%1").arg(ctx_.N));
  ComposeLine();
}

void frmEnter::lblUnits_Click() {
  if (id_->text() != "ID=1") {
    const Answer a = AskUser(ctx_.messages, S(tr("Warning! Please change the units only when ID=1; otherwise, the new unit settings will be "
                                                    "applied to all the previous IDs.\r\nDo you still want to set the units?")),
                             S(tr("Warning!")), Buttons::YesNoCancel, Answer::No,
                             IsPersian(ctx_), MessageKind::Warning);
    if (a != Answer::Yes) return;
  }
  std::optional<std::string> chosen;
  if (chooseUnits) {
    chosen = chooseUnits();
  } else {
    frmUnits dialog(UnitFactors("units=" + ctx_.dataUnits, ctx_.messages), this);
    if (dialog.exec() == QDialog::Accepted) chosen = dialog.UnitText();
  }
  if (chosen) ApplyDataUnits(*chosen);
}

void frmEnter::ApplyDataUnits(const std::string& unitText) {
  EndCellEdit();
  const UnitSystem before = UnitFactors("units=" + ctx_.dataUnits, ctx_.messages);
  const UnitSystem after = UnitFactors("units=" + unitText, ctx_.messages);
  ctx_.dataUnits = after.Text();
  units_->setText(Q("UNITS=" + ctx_.dataUnits));
  // The length through centimetres into the new unit; a spacing in the designation is written
  // in the data units too, so the designation is written again.
  const double cm = NumericValue(S(length_->text())) * before.lengthFactor;
  length_->setText(Q(EntryText(RoundTo(cm / after.lengthFactor, 5))));
  panel_->SetLengthFactor(after.lengthFactor);
  const auto& rows = panel_->rows();
  for (size_t i = 0; i < rows.size(); ++i)
    if (!rows[i].catalogue && rows[i].name != "L" && rows[i].name != "CP") {
      panel_->ApplyParameterCommand("/void/", static_cast<int>(i));
      break;
    }
  getdim();
  ComposeLine();
}

bool frmEnter::CmdGo_Click() {
  EndCellEdit();
  lines_[static_cast<size_t>(ctx_.N)] = ComposeLine();
  lines_[0] = S(titleTag_);
  ctx_.title = S(title_->text().simplified());
  std::string text = "Software=Ardekon  Version=" + ctx_.suiteVersion + "  Module=" + ctx_.moduleKey +
                     "  Title=" + ctx_.title + "\n";
  text += "No=" + std::to_string(ctx_.N) + " Units=" + ctx_.dataUnits + "  " + lines_[0] + "\n";
  for (int i = 1; i <= ctx_.N; ++i) text += lines_[static_cast<size_t>(i)] + "\n";

  const std::filesystem::path target = SuitePath(ctx_.inputBase + ".Ardekon");
  std::string error;
  // The previous input stays as input.Ardekon_bak before the new one replaces it.
  if (const auto old = ReadWholeFile(target); old && !old->empty()) {
    if (!AtomicWriteFile(SuitePath(ctx_.inputBase + ".Ardekon_bak"), *old, &error)) {
      ShowMessage(ctx_, S(tr("The input file could not be written; it is left as it was. %1").arg(Q(error))));
      return false;
    }
  }
  if (!AtomicWriteFile(target, text, &error)) {
    ShowMessage(ctx_, S(tr("The input file could not be written; it is left as it was. %1").arg(Q(error))));
    return false;
  }
  hide();
  if (onFinished) onFinished();
  return true;
}

void frmEnter::BeginCellEdit(int row, int column) {
  EndCellEdit();
  if (row != 1 || column < 0 || column >= static_cast<int>(columnRows_.size())) return;
  editColumn_ = column;
  editor_->setGeometry(table_->visualItemRect(table_->item(row, column)));
  editor_->setText(table_->item(row, column)->text());
  editor_->show();
  editor_->setFocus();
  editor_->selectAll();
}

void frmEnter::EndCellEdit() {
  if (editColumn_ < 0) return;
  const int column = editColumn_;
  editColumn_ = -1;  // first, as hiding the editor finishes its editing again
  editor_->hide();
  const QString typed = editor_->text().trimmed();
  const int row = columnRows_[static_cast<size_t>(column)];
  bool numeric = false;
  QString(typed).replace(',', '.').toDouble(&numeric);
  if (!numeric) {
    // The cell goes back to the value in use.
    ShowMessage(ctx_, S(tr("Please type a number.")), S(tr("Parameters")));
  } else {
    panel_->ApplyParameterCommand("=" + S(typed), row);
  }
  FillCells();
  ComposeLine();
}

void frmEnter::SetCell(int column, const QString& text) {
  BeginCellEdit(1, column);
  editor_->setText(text);
  EndCellEdit();
}

bool frmEnter::eventFilter(QObject* watched, QEvent* event) {
  if (watched == units_ && event->type() == QEvent::MouseButtonRelease) {
    lblUnits_Click();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tavo::ui
