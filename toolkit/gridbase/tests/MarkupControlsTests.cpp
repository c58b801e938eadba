#include "gridbase/MarkupControls.h"

#include <gtest/gtest.h>

namespace {
const String Form =
    u"Name <CONTROL TYPE=\"EDIT\" ID=\"name\" VALUE=\"Jo &amp; Al\" WIDTH=\"80\" MAXLEN=\"12\" "
    u"PROP=\"p&quot;1\"> "
    u"<control type=\"check\" id=\"ok\" value=\"TRUE\" width=\"20\"> "
    u"<CONTROL TYPE=\"RADIO\" ID=\"r1\" VALUE=\"TRUE\" WIDTH=\"20\"> "
    u"<CONTROL TYPE=\"combo\" ID=\"city\" VALUE=\"\" WIDTH=\"90\" HEIGHT=\"22\"> "
    u"<CONTROL TYPE=\"BUTTON\" ID=\"go\" VALUE=\"Go\" WIDTH=\"40\">";
}

TEST(MarkupControls, ParseControlTag) {
    const TMarkupControl control =
        ParseControlTag(u" type=\"edit\" Id=\"a\" VALUE=\"x&lt;&eacute;\" width=\"5\" height=\"7\" "
                        u"prop=\"p\" maxlen=\"3\"");
    EXPECT_EQ(control.Type, u"EDIT");
    EXPECT_EQ(control.ID, u"a");
    EXPECT_EQ(control.Value, u"x<\u00E9");
    EXPECT_EQ(control.Width, u"5");
    EXPECT_EQ(control.Height, u"7");
    EXPECT_EQ(control.Prop, u"p");
    EXPECT_EQ(control.MaxLen, u"3");
    EXPECT_EQ(ParseControlTag(u" TYPE=\"EDIT\"").Width, u"");
}

TEST(MarkupControls, Queries) {
    EXPECT_TRUE(HasMarkupControl(Form));
    EXPECT_TRUE(HasMarkupControl(u"<control"));
    EXPECT_FALSE(HasMarkupControl(u"<b>no</b>"));

    String value = u"untouched";
    EXPECT_TRUE(GetMarkupControlValue(Form, u"name", value));
    EXPECT_EQ(value, u"Jo & Al");
    EXPECT_FALSE(GetMarkupControlValue(Form, u"nobody", value));
    EXPECT_EQ(value, u"Jo & Al");
    EXPECT_EQ(GetMarkupControlProp(Form, u"name"), u"p\"1");
    EXPECT_EQ(GetMarkupControlProp(Form, u"ok"), u"");
    EXPECT_EQ(GetMarkupControlMaxLen(Form, u"name"), 12);
    EXPECT_EQ(GetMarkupControlMaxLen(Form, u"ok"), 0);
    EXPECT_EQ(GetMarkupControlMaxLen(Form, u"nobody"), 0);
}

TEST(MarkupControls, NextEditableControl) {
    EXPECT_EQ(NextMarkupControlID(Form, u""), u"name");
    EXPECT_EQ(NextMarkupControlID(Form, u"name"), u"city");
    EXPECT_EQ(NextMarkupControlID(Form, u"ok"), u"city");
    EXPECT_EQ(NextMarkupControlID(Form, u"city"), u"");
    EXPECT_EQ(NextMarkupControlID(Form, u"nobody"), u"");
    EXPECT_EQ(NextMarkupControlID(u"plain", u""), u"");
}

TEST(MarkupControls, SetValueRewritesTheTagKeepingItsAttributes) {
    String text = Form;
    EXPECT_TRUE(SetMarkupControlValue(text, u"name", u"<Ann> \"\u03A9\""));
    String value;
    ASSERT_TRUE(GetMarkupControlValue(text, u"name", value));
    EXPECT_EQ(value, u"<Ann> \"\u03A9\"");
    EXPECT_EQ(text.substr(0, 5), u"Name ");
    EXPECT_NE(text.find(u"<CONTROL ID=\"name\" VALUE=\"&lt;Ann&gt;&nbsp;&quot;&#937;&quot;\" WIDTH=\"80\" "
                        u"TYPE=\"EDIT\" PROP=\"p&quot;1\" MAXLEN=\"12\"> <control type=\"check\""),
              String::npos);

    String city = Form;
    EXPECT_TRUE(SetMarkupControlValue(city, u"city", u"Gent"));
    EXPECT_NE(city.find(u"<CONTROL ID=\"city\" VALUE=\"Gent\" WIDTH=\"90\" TYPE=\"COMBO\" HEIGHT=\"22\">"),
              String::npos);

    String unchanged = Form;
    EXPECT_FALSE(SetMarkupControlValue(unchanged, u"nobody", u"x"));
    EXPECT_EQ(unchanged, Form);
}

TEST(MarkupControls, ValueThatLooksLikeAnAttributeDoesNotBreakTheControl) {
    String text = u"<CONTROL TYPE=\"EDIT\" ID=\"a\" VALUE=\"\" WIDTH=\"80\">";
    ASSERT_TRUE(SetMarkupControlValue(text, u"a", u"width= type= id="));
    const TMarkupControl control = ParseControlTag(text.substr(8, text.size() - 9));
    EXPECT_EQ(control.ID, u"a");
    EXPECT_EQ(control.Width, u"80");
    EXPECT_EQ(control.Type, u"EDIT");
    EXPECT_EQ(control.Value, u"width= type= id=");
}

TEST(MarkupControls, ClearRadiosAndPasswordMask) {
    const String cleared = ClearMarkupRadios(Form);
    String value;
    ASSERT_TRUE(GetMarkupControlValue(cleared, u"r1", value));
    EXPECT_EQ(value, u"FALSE");
    ASSERT_TRUE(GetMarkupControlValue(cleared, u"ok", value));
    EXPECT_EQ(value, u"TRUE");

    EXPECT_EQ(PasswordMask(u"abc"), u"***");
    EXPECT_EQ(PasswordMask(u"a\U0001F600"), u"**");
    EXPECT_EQ(PasswordMask(u""), u"");
}
