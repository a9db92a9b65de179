#include "shell/widgets/SidePanels.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "mapdata/CityColumns.h"
#include "mapdata/IconGeometry.h"
#include "search/KeyLimit.h"
#include "shell/ViewerSettings.h"
#include "shell/widgets/WidgetKit.h"
#include "state/SearchState.h"

namespace {

void SetUpPanel(QFrame* panel, const char* name, int width) {
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFixedWidth(width);
  panel->setAutoFillBackground(true);
}

QVBoxLayout* Column(QWidget* owner) {
  auto* column = new QVBoxLayout(owner);
  column->setContentsMargins(1, 0, 1, 2);
  column->setSpacing(3);
  return column;
}

// A header strip of the given height with its button at the right edge.
QWidget* HeaderStrip(QWidget* parent, int height, QToolButton* button, QWidget* leftItem = nullptr) {
  auto* strip = new QWidget(parent);
  strip->setFixedHeight(height);
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  if (leftItem) row->addWidget(leftItem);
  row->addStretch(1);
  button->setParent(strip);
  button->setFixedSize(height, height);
  button->setIconSize(QSize(height - 4, height - 4));
  row->addWidget(button);
  return strip;
}

QLineEdit* NamedEdit(QWidget* parent, const char* name, const QString& hint) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setToolTip(hint);
  return edit;
}

// A text field with its search button at the right.
QWidget* EditRow(QWidget* parent, QLineEdit* edit, QToolButton* button) {
  auto* box = new QWidget(parent);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);
  edit->setParent(box);
  button->setParent(box);
  row->addWidget(edit, 1);
  row->addWidget(button);
  return box;
}

// The panels' labels show data (names, addresses, counts): plain text, so that
// markup in the data is shown as it is.
QLabel* NamedLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QCheckBox* UnderlinedCheckBox(QWidget* parent, const char* name, const QString& caption, bool checked) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  QFont f = box->font();
  f.setUnderline(true);
  box->setFont(f);
  box->setChecked(checked);
  return box;
}

// The two footer labels: the fixed text and the count.  The text is wider than
// the panel leaves it beside the count in the panel's font, so it wraps rather
// than being cut.
// A caption that asks for its text's width on one line and wraps only where the
// row has less room: a wrapping QLabel asks for a fixed share of 80 characters,
// and the caption broke into three lines beside a short count.
class RoomyCaption : public QLabel {
 public:
  using QLabel::QLabel;
  QSize sizeHint() const override {
    const QMargins m = contentsMargins();
    return QSize(fontMetrics().horizontalAdvance(text()) + m.left() + m.right() + 2 * margin(),
                 QLabel::sizeHint().height());
  }
};

QLabel* CountCaptionLabel(QWidget* parent, const char* name) {
  auto* label = new RoomyCaption(Ui("Количество найденых объектов:"), parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QWidget* CountFooter(QWidget* parent, QLabel* text, QLabel* count) {
  text->setWordWrap(true);
  auto* box = new QWidget(parent);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(3);
  text->setParent(box);
  count->setParent(box);
  row->addWidget(text);
  row->addWidget(count, 1);
  return box;
}

// Said over a list of names nearly typed, so that nobody takes them for matches.
QLabel* SimilarHeading(QWidget* parent, const char* name) {
  QLabel* heading = NamedLabel(parent, name, Ui("Точных совпадений нет. Похожие:"));
  heading->setWordWrap(true);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  heading->hide();
  return heading;
}

// Said under a search field whose key was too long to search for whole.
QLabel* KeyCutNoteLabel(QWidget* parent, const char* name) {
  QLabel* note = NamedLabel(parent, name, QString::fromStdString(KeyCutNote()));
  note->setWordWrap(true);
  note->hide();
  return note;
}

}  // namespace

ListSearchPanel::ListSearchPanel(QWidget* parent) : QFrame(parent) {
  SetUpPanel(this, "PanelSearch", kLeftPanelWidth);
  QVBoxLayout* column = Column(this);
  CloseButton = MakeToolButton(this, "SpeedButton5", Ui("Спрятать панель списка"), Glyph::Close);
  column->addWidget(HeaderStrip(this, 16, CloseButton));
  KeyField = NamedEdit(this, "Edit1", Ui("Введите ключевое слово для поиска"));
  SearchButton = MakeToolButton(this, "SpeedButton4", Ui("Выпольнить поиск..."), Glyph::Search);
  KeyField->setMaxLength(kKeyFieldMaxLength);
  column->addWidget(EditRow(this, KeyField, SearchButton));
  keyCutNote = KeyCutNoteLabel(this, "ListKeyCutNote");
  column->addWidget(keyCutNote);
  similarHeading = SimilarHeading(this, "ListSimilarHeading");
  column->addWidget(similarHeading);
  SearchListView = MakeReportList(this, "SearchListView", Ui("Список улиц, домов, объектов..."),
                                  ReportColumns(shown_found_cell::kColumns, {120, 80, 250}));
  column->addWidget(SearchListView, 1);
  CountCaption = CountCaptionLabel(this, "Label1");
  CountLabel = NamedLabel(this, "Label2", "0");
  column->addWidget(CountFooter(this, CountCaption, CountLabel));
}

FirmSearchPanel::FirmSearchPanel(QWidget* parent) : QFrame(parent) {
  SetUpPanel(this, "FirmSearchPanel", kRightPanelWidth);
  QVBoxLayout* column = Column(this);
  CloseButton = MakeToolButton(this, "SpeedButton16", Ui("Закрыть панель списка фирм"), Glyph::Close);
  column->addWidget(HeaderStrip(this, 14, CloseButton));
  KeyField = NamedEdit(this, "Edit2", Ui("Введите ключевое слово для поиска объекта"));
  SearchButton = MakeToolButton(this, "SpeedButton8", Ui("Выпольнить поиск..."), Glyph::Search);
  KeyField->setMaxLength(kKeyFieldMaxLength);
  column->addWidget(EditRow(this, KeyField, SearchButton));
  keyCutNote = KeyCutNoteLabel(this, "FirmKeyCutNote");
  column->addWidget(keyCutNote);
  SearchByCaption = NamedLabel(this, "Label4", Ui("Производить поиск по:"));
  column->addWidget(SearchByCaption);
  ByNameBox = UnderlinedCheckBox(this, "CheckBox1", Ui("Названию"), true);
  ByAddressBox = UnderlinedCheckBox(this, "CheckBox2", Ui("Адресу"), true);
  ByKeywordBox = UnderlinedCheckBox(this, "CheckBox3", Ui("Ключевым словам"), true);
  column->addWidget(ByNameBox);
  column->addWidget(ByAddressBox);
  column->addWidget(ByKeywordBox);
  similarHeading = SimilarHeading(this, "FirmSimilarHeading");
  column->addWidget(similarHeading);
  SearchFirmListView =
      MakeReportList(this, "SearchFirmListView", Ui("Список фирм, достопримечательностей и других ключевых объектов"),
                     ReportColumns(shown_firm_cell::kColumns, {125, 85}));
  column->addWidget(SearchFirmListView, 1);
  ShowFoundBox = new QCheckBox(Ui("Отображать найденые объекты"), this);
  ShowFoundBox->setObjectName("CheckBox4");
  column->addWidget(ShowFoundBox);
  CountCaption = CountCaptionLabel(this, "Label6");
  CountLabel = NamedLabel(this, "Label5", "0");
  column->addWidget(CountFooter(this, CountCaption, CountLabel));
}

namespace {
const char* const kFirmPictureHints[3] = {"Картинка объекта №1", "Картинка объекта №2", "Картинка объекта №3"};
}  // namespace

void InfoPanelWidget::OfferFirmPicture(int k, bool present, bool firmShown) {
  FirmPic[k]->setEnabled(present);
  const bool missing = firmShown && !present;
  FirmPic[k]->setToolTip(Ui(kFirmPictureHints[k]) + (missing ? Ui(": у объекта нет этой картинки") : QString()));
}

InfoPanelWidget::InfoPanelWidget(QWidget* parent) : QFrame(parent) {
  SetUpPanel(this, "InfoPanel", kRightPanelWidth);
  QVBoxLayout* column = Column(this);
  InfoImage = new QLabel(this);
  InfoImage->setObjectName("InfoImage");
  InfoImage->setFixedSize(kIconSide, kIconSide);  // the chosen object's icon
  InfoImage->setScaledContents(true);
  InfoImage->hide();
  CloseButton = MakeToolButton(this, "SpeedButton3", Ui("Закрыть панель информаци"), Glyph::Close);
  column->addWidget(HeaderStrip(this, 20, CloseButton, InfoImage));

  ObjNameLabel = NamedLabel(this, "ObjNameLabel", QString());
  ObjAdressLabel = NamedLabel(this, "ObjAdressLabel", QString());
  for (QLabel* label : {ObjNameLabel, ObjAdressLabel}) {
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    label->setWordWrap(true);
  }
  ObjNameLabel->setStyleSheet("color: rgb(0, 128, 0);");
  ObjAdressLabel->setStyleSheet("color: rgb(128, 0, 0);");
  column->addWidget(ObjNameLabel);
  column->addWidget(ObjAdressLabel);

  auto* pictures = new QWidget(this);
  auto* row = new QHBoxLayout(pictures);
  row->setContentsMargins(0, 0, 0, 0);
  static const char* const kNames[3] = {"FirmPic1", "FirmPic2", "FirmPic3"};
  for (int k = 0; k < 3; ++k) {
    FirmPic[k] = MakeToolButton(pictures, kNames[k], Ui(kFirmPictureHints[k]), Glyph::Plus);
    FirmPic[k]->setAutoRaise(false);
    FirmPic[k]->setFixedSize(22, 22);
    OfferFirmPicture(k, false, false);
    row->addWidget(FirmPic[k]);
  }
  row->addStretch(1);
  column->addWidget(pictures);

  FirmText = new QPlainTextEdit(this);
  FirmText->setObjectName("Memo1");
  FirmText->setToolTip(Ui("Информация об объекте"));
  FirmText->setReadOnly(true);
  FirmText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  column->addWidget(FirmText, 1);
}

RoutesPanel::RoutesPanel(QWidget* parent) : QFrame(parent) {
  SetUpPanel(this, "PanelPath", kLeftPanelWidth);
  QVBoxLayout* column = Column(this);
  CloseButton = MakeToolButton(this, "SpeedButton7", Ui("Закрыть панель маршрутов"), Glyph::Close);
  column->addWidget(HeaderStrip(this, 15, CloseButton));
  ListOfPath2 = MakeReportList(this, "ListOfPath2", QString(),
                               ReportColumns(route_name_cell::kColumns, {80, 100, 110}));
  column->addWidget(ListOfPath2, 1);
}
