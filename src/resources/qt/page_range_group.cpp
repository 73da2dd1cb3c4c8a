#include "resources/qt/page_range_group.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "resources/qt/form_layout.h"
#include "resources/qt/resource_text.h"

namespace quarlo::form {

PageRangeGroup MakePageRangeGroup(QWidget* parent, const QString& title, const QRect& geometry,
                                  QObject* editFilter) {
  PageRangeGroup g;
  g.box = MakeGroup(parent, "Label1", title, geometry);
  g.all = Named(new QRadioButton(ResText(3), g.box), "AllRB");
  g.all->setGeometry(12, 18, 200, 18);
  g.all->setChecked(true);
  g.current = Named(new QRadioButton(ResText(4), g.box), "CurPageRB");
  g.current->setGeometry(12, 38, 200, 18);
  g.numbers = Named(new QRadioButton(ResText(5), g.box), "PageNumbersRB");
  g.numbers->setGeometry(12, 58, 62, 18);
  g.edit = Named(new QLineEdit(g.box), "PageNumbersE");
  g.edit->setGeometry(76, 57, 182, 21);
  if (editFilter) g.edit->installEventFilter(editFilter);
  g.description = MakeLabel(g.box, "DescrL", ResText(9), {12, 82, 246, 28});
  g.description->setWordWrap(true);
  g.description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return g;
}

}  // namespace quarlo::form
