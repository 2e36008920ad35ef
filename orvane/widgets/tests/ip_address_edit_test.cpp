// The IP address control under the keyboard, offscreen.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include "orvane/widgets/ip_address_edit.h"

namespace orvane {

class IpAddressEditTest : public QObject {
  Q_OBJECT

 private slots:
  void typing_data();
  void typing();
  void blankAndFocusOnRequest();
};

void IpAddressEditTest::typing_data() {
  QTest::addColumn<QString>("keys");  // "<" Backspace, ">" Right, "(" Left
  QTest::addColumn<QString>("fields");
  QTest::addColumn<int>("focused");
  QTest::newRow("third digit advances") << "1921681" << "192|168|1|" << 2;
  QTest::newRow("dot advances") << "10.0.0.7" << "10|0|0|7" << 3;
  QTest::newRow("dot in an empty field stays") << "..5" << "5|||" << 0;
  QTest::newRow("26 cannot grow") << "2651" << "26|51||" << 2;
  QTest::newRow("above 255 clamps") << "259" << "255|||" << 1;
  QTest::newRow("backspace goes back") << "12.<<3" << "13|||" << 0;
  QTest::newRow("left and right cross fields") << "1.2((3>>4" << "13|24||" << 1;
  QTest::newRow("letters refused") << "a1b" << "1|||" << 0;
}

void IpAddressEditTest::typing() {
  QFETCH(QString, keys);
  QFETCH(QString, fields);
  QFETCH(int, focused);
  IpAddressEdit edit;
  edit.show();
  QVERIFY(QTest::qWaitForWindowActive(&edit));
  edit.focusField(0);
  for (const QChar c : keys) {
    auto* target = QApplication::focusWidget();
    if (c == '<') QTest::keyClick(target, Qt::Key_Backspace);
    else if (c == '>') QTest::keyClick(target, Qt::Key_Right);
    else if (c == '(') QTest::keyClick(target, Qt::Key_Left);
    else QTest::keyClick(target, c.toLatin1());
  }
  QStringList texts;
  for (int i = 0; i < 4; ++i) texts << edit.field(i)->text();
  QCOMPARE(texts.join('|'), fields);
  QCOMPARE(QApplication::focusWidget(), edit.field(focused));
}

void IpAddressEditTest::blankAndFocusOnRequest() {
  IpAddressEdit edit;
  edit.show();
  QVERIFY(QTest::qWaitForWindowActive(&edit));
  QVERIFY(edit.isBlank());
  QCOMPARE(edit.address(), (IpAddressEdit::Address{0, 0, 0, 0}));
  QSignalSpy changed(&edit, &IpAddressEdit::addressChanged);
  edit.setAddress({192, 168, 1, 255});
  QVERIFY(!edit.isBlank());
  QCOMPARE(changed.count(), 1);
  edit.focusField(2);
  QCOMPARE(QApplication::focusWidget(), edit.field(2));
  QCOMPARE(edit.field(2)->selectedText(), QStringLiteral("1"));

  QApplication::clipboard()->setText(QStringLiteral(" 10.20.30.40 "));
  QTest::keyClick(edit.field(1), Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(edit.address(), (IpAddressEdit::Address{10, 20, 30, 40}));
  QCOMPARE(IpAddressEdit::parse("1.2.3"), std::nullopt);
  QCOMPARE(IpAddressEdit::parse("1.2.3.256"), std::nullopt);
  edit.clear();
  QVERIFY(edit.isBlank());
}

}  // namespace orvane

QTEST_MAIN(orvane::IpAddressEditTest)
#include "ip_address_edit_test.moc"
