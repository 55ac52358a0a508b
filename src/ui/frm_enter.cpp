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
#include "input/input_file.h"
#include "ui/frm_units.h"
#include "ui/qt_messages.h"
#include "ui/section_painter.h"
#include "ui/ui_common.h"
#include "ui/ui_texts.h"

namespace tavo::ui {

namespace {

struct EntryDef {
  const char* name;
  const char* tip;
};

// The suite's generic element layout: three lengths, two heights, two widths, then the
// table of five dimensions and two flange values.
constexpr EntryDef kVariableDefs[frmEnter::kVariables] = {
    {"L1", "First length||طول اول"},   {"L2", "Second length||طول دوم"}, {"L3", "Third length||طول سوم"},
    {"H1", "First height||ارتفاع اول"}, {"H2", "Second height||ارتفاع دوم"},
    {"W1", "First width||عرض اول"},     {"W2", "Second width||عرض دوم"}};
constexpr EntryDef kCellDefs[frmEnter::kCells] = {
    {"D1", "Dimension 1||بعد ۱"}, {"D2", "Dimension 2||بعد ۲"}, {"D3", "Dimension 3||بعد ۳"},
    {"D4", "Dimension 4||بعد ۴"}, {"D5", "Dimension 5||بعد ۵"}, {"FL1", "Flange 1||بال ۱"},
    {"FL2", "Flange 2||بال ۲"}};

// Upper limit of every entry, in centimetres.
constexpr double kLimitCm = 10000.0;
// The editable cells of the table.
const QColor kEditableCell(220, 220, 0);

// The member kinds offered beside the entries; the choice is not part of the element line.
constexpr const char* kMemberKinds = "Column/Beam/Bracing||ستون/تیر/مهاربند";
constexpr const char* kMemberKindTip = "Kind of member||نوع عضو";
constexpr const char* kParameters = "Parameters||پارامترها";
constexpr const char* kParametersTip = "Show or hide the parameter sketch||نمایش یا پنهان کردن شکل پارامترها";
// Size of the sketch area; its drawing frame is 2500 units across whatever this is.
constexpr int kSketchWidth = 360;
constexpr int kSketchHeight = 270;

// Format(n, "##"): at least two places, right-aligned.
std::string TwoPlaces(int n) {
  std::string s = std::to_string(n);
  if (s.size() < 2) s.insert(0, 2 - s.size(), ' ');
  return s;
}

}  // namespace

frmEnter::frmEnter(ModuleContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), ctx_(ctx) {
  setObjectName("frmEnter");
  setWindowTitle(Tr(ctx, texts::kEnterCaption));
  if (IsPersian(ctx)) setLayoutDirection(Qt::RightToLeft);
  auto* layout = new QVBoxLayout(this);

  auto* top = new QHBoxLayout;
  auto* titleLabel = new QLabel(Tr(ctx, texts::kEnterTitle), this);
  title_ = new QLineEdit(Q(ctx.title), this);
  title_->setObjectName("txtTitle");
  top->addWidget(titleLabel);
  top->addWidget(title_, 1);
  units_ = new QLabel(this);
  units_->setObjectName("lblUnits");
  units_->setCursor(Qt::PointingHandCursor);
  units_->setToolTip(Tr(ctx, texts::kClickUnits));
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
  auto* variables = new QGroupBox(Tr(ctx, texts::kEnterVariables), this);
  auto* grid = new QGridLayout(variables);
  for (int i = 0; i < kVariables; ++i) {
    auto* name = new QLabel(kVariableDefs[i].name, variables);
    auto* box = new QLineEdit("0", variables);
    box->setObjectName(QString("txtVariable_%1").arg(i));
    box->setToolTip(Tr(ctx, kVariableDefs[i].tip));
    box->setAlignment(Qt::AlignRight);
    box->setLayoutDirection(Qt::LeftToRight);
    auto* limit = new QLabel(variables);
    limit->setObjectName(QString("lblLimits_%1").arg(i));
    limit->setLayoutDirection(Qt::LeftToRight);
    grid->addWidget(name, i, 0);
    grid->addWidget(box, i, 1);
    grid->addWidget(limit, i, 2);
    variables_[static_cast<size_t>(i)] = box;
    limits_[static_cast<size_t>(i)] = limit;
    connect(box, &QLineEdit::textEdited, this, [this] { ComposeLine(); });
  }
  middle->addWidget(variables);

  auto* tableBox = new QGroupBox(Tr(ctx, texts::kEnterTable), this);
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
  lineRow->addWidget(new QLabel(Tr(ctx, texts::kEnterLine), this));
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
  combo_->setToolTip(Tr(ctx, kMemberKindTip));
  buttons->addWidget(combo_);
  par_ = new QPushButton(Tr(ctx, kParameters), this);
  par_->setObjectName("cmdPar");
  par_->setToolTip(Tr(ctx, kParametersTip));
  par_->setCheckable(true);
  par_->setChecked(true);
  buttons->addWidget(par_);
  connect(par_, &QPushButton::clicked, this, &frmEnter::cmdPar_Click);
  buttons->addStretch(1);
  add_ = new QPushButton(Tr(ctx, texts::kEnterAdd), this);
  add_->setObjectName("cmdAdd");
  add_->setToolTip(Tr(ctx, texts::kEnterAddTip));
  go_ = new QPushButton(Tr(ctx, texts::kEnterFinish), this);
  go_->setObjectName("CmdGo");
  go_->setToolTip(Tr(ctx, texts::kEnterGoTip));
  if (ctx.runMode == 'E') {
    go_->setText(Tr(ctx, texts::kContinue));
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
  getdim_combo(kMemberKinds, 0);
  Enter_Table();
  ComposeLine();
  resize(1200, 420);
}

void frmEnter::getdim() {
  const UnitSystem data = UnitFactors("units=" + ctx_.dataUnits, ctx_.messages);
  const double max = RoundTo(kLimitCm / data.lengthFactor, 3);
  for (QLabel* limit : limits_) limit->setText(Q("0 < " + ShortestText(max) + " " + data.lengthName));
}

void frmEnter::getdim_combo(const std::string& choices, int index) {
  combo_->clear();
  for (const std::string& choice : Split(PickLanguage(choices, ctx_), '/')) combo_->addItem(Q(Trim(choice)));
  if (combo_->count() == 0) return;
  combo_->setCurrentIndex(index >= 0 && index < combo_->count() ? index : 0);
}

void frmEnter::Enter_Table() {
  table_->setColumnCount(kCells);
  table_->setRowCount(2);
  table_->horizontalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->verticalHeader()->hide();
  for (int c = 0; c < kCells; ++c) {
    auto* heading = new QTableWidgetItem(kCellDefs[c].name);
    heading->setTextAlignment(Qt::AlignCenter);
    heading->setToolTip(Tr(ctx_, kCellDefs[c].tip));
    heading->setBackground(QColor(192, 192, 192));
    table_->setItem(0, c, heading);
    auto* value = new QTableWidgetItem("0");
    value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setBackground(kEditableCell);
    value->setToolTip(Tr(ctx_, kCellDefs[c].tip));
    table_->setItem(1, c, value);
  }
  table_->setFixedHeight(table_->rowHeight(0) * 2 + 2 * table_->frameWidth() + 2);
}

double frmEnter::getdim2(int row, int column) const {
  const QTableWidgetItem* item = table_->item(row, column);
  return item ? NumericValue(S(item->text())) : 0.0;
}

std::string frmEnter::EntryText(double value) const { return Trim(ShortestText(value)); }

std::string frmEnter::ComposeLine() {
  std::array<std::string, 15> e;  // e[1]..e[14]
  for (int i = 0; i < kVariables; ++i)
    e[static_cast<size_t>(i) + 1] = EntryText(NumericValue(S(variables_[static_cast<size_t>(i)]->text())));
  for (int c = 0; c < kCells; ++c) e[static_cast<size_t>(c) + 8] = EntryText(getdim2(1, c));
  const std::string line = TwoPlaces(ctx_.N) + "  L=" + e[1] + "," + e[2] + "," + e[3] + "  H=" + e[4] + "," + e[5] +
                           "  W=" + e[6] + "," + e[7] + "  D=" + e[8] + "," + e[9] + "," + e[11] + "," + e[10] + "," +
                           e[12] + "  FL=" + e[13] + "," + e[14];
  line_->setText(Q(line));
  DrawSketch();
  return line;
}

void frmEnter::DrawSketch() {
  QImage image(sketch_->size(), QImage::Format_RGB32);
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
    const Answer a = AskUser(ctx_.messages, PickLanguage(texts::kEnterUnitsWarning, ctx_),
                             PickLanguage(texts::kWarningTitle, ctx_), Buttons::YesNoCancel, Answer::No,
                             IsPersian(ctx_), MessageKind::Warning);
    if (a != Answer::Yes) return;
  }
  std::optional<std::string> chosen;
  if (chooseUnits) {
    chosen = chooseUnits();
  } else {
    frmUnits dialog(ctx_, UnitFactors("units=" + ctx_.dataUnits, ctx_.messages), this);
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
  // Every entry is a length: through centimetres into the new unit.
  const auto convert = [&](const QString& text) {
    const double cm = NumericValue(S(text)) * before.lengthFactor;
    return Q(EntryText(RoundTo(cm / after.lengthFactor, 5)));
  };
  for (QLineEdit* box : variables_) box->setText(convert(box->text()));
  for (int c = 0; c < kCells; ++c)
    if (QTableWidgetItem* item = table_->item(1, c)) item->setText(convert(item->text()));
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
      ShowMessage(ctx_, PickLanguage(texts::kEnterWriteFailed, ctx_) + error);
      return false;
    }
  }
  if (!AtomicWriteFile(target, text, &error)) {
    ShowMessage(ctx_, PickLanguage(texts::kEnterWriteFailed, ctx_) + error);
    return false;
  }
  hide();
  if (onFinished) onFinished();
  return true;
}

void frmEnter::BeginCellEdit(int row, int column) {
  EndCellEdit();
  if (row != 1 || column < 0 || column >= kCells) return;
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
  table_->item(1, column)->setText(editor_->text().trimmed());
  editor_->hide();
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
