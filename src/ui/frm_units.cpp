#include "ui/frm_units.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/text_util.h"
#include "ui/ui_common.h"

namespace tavo::ui {

const std::vector<std::string>& frmUnits::ForceNames() {
  static const std::vector<std::string> names{"kg", "ton", "N", "kN", "Lb", "kip"};
  return names;
}

const std::vector<std::string>& frmUnits::LengthNames() {
  static const std::vector<std::string> names{"mm", "cm", "m", "in", "ft"};
  return names;
}

frmUnits::frmUnits(const UnitSystem& current, QWidget* parent) : QDialog(parent) {
  setObjectName("frmUnits");
  setWindowTitle(tr("Units"));
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(tr("Display units"), this);
  title->setObjectName("Label3");
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  layout->addWidget(title);

  auto* groups = new QHBoxLayout;
  const auto makeGroup = [&](const char* name, const QString& caption, const std::vector<std::string>& units,
                             const char* optionName, std::vector<QRadioButton*>& out) {
    auto* box = new QGroupBox(caption, this);
    box->setObjectName(name);
    auto* v = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (size_t i = 0; i < units.size(); ++i) {
      auto* option = new QRadioButton(Q(units[i]), box);
      option->setObjectName(QString("%1_%2").arg(optionName).arg(i));
      group->addButton(option, static_cast<int>(i));
      v->addWidget(option);
      out.push_back(option);
    }
    groups->addWidget(box);
  };
  makeGroup("Force", tr("Force"), ForceNames(), "Option1", force_);
  makeGroup("Length", tr("Length"), LengthNames(), "Option2", length_);
  layout->addLayout(groups);

  auto* buttons = new QDialogButtonBox(this);
  auto* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName("Command1");
  ok->setDefault(true);
  auto* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
  cancel->setObjectName("Command2");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  Select(current.forceName, current.lengthName);
}

void frmUnits::Select(const std::string& force, const std::string& length) {
  const auto pick = [](std::vector<QRadioButton*>& options, const std::vector<std::string>& names,
                       const std::string& wanted, size_t fallback) {
    size_t at = fallback;
    for (size_t i = 0; i < names.size(); ++i)
      if (ToUpper(names[i]) == ToUpper(wanted)) at = i;
    options[at]->setChecked(true);
  };
  pick(force_, ForceNames(), force, 0);
  pick(length_, LengthNames(), length, 1);
}

std::string frmUnits::ForceName() const {
  for (size_t i = 0; i < force_.size(); ++i)
    if (force_[i]->isChecked()) return ForceNames()[i];
  return "kg";
}

std::string frmUnits::LengthName() const {
  for (size_t i = 0; i < length_.size(); ++i)
    if (length_[i]->isChecked()) return LengthNames()[i];
  return "cm";
}

std::string frmUnits::UnitText() const { return "[" + ForceName() + "]-[" + LengthName() + "]"; }

}  // namespace tavo::ui
