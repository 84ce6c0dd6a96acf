#include "checklists/ChecklistCatalogue.h"

namespace {

// General health promotion and prevention across all groups. Tabs 1 and 19 share the codes
// from "1B30" to "1B41".
ChecklistDefinition makeGeneral()
{
    ChecklistDefinition s;
    s.className = QStringLiteral("TSpecial_pp_edit_f");
    s.windowCaption = QStringLiteral("บันทึกข้อมูลส่งเสริมสุขภาพป้องกันโรค");
    s.groupCaption = QStringLiteral("งานที่ให้บริการ");
    s.frame = ChecklistFrame::Maximised;
    s.innerSize = QSize(1100, 700);
    s.tabHeight = 28;
    s.rowHeight = 50;
    // Each query on one line, blanks and all, as the query layer gets it.
    // clang-format off
    s.tabs = {
        {QStringLiteral("1.คัดกรองมะเร็งเต้านม มะเร็งปากมดลูก"),
         QStringLiteral("select * from pp_special_type  where (pp_special_code between \"1B0030\" and \"1B0049\" or         pp_special_code between \"1B30\" and \"1B41\" ) ")},
        {QStringLiteral("2.ประเมินภาวะซึมเศร้า/การฆ่าตัวตาย"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B0260\" and \"1B0279\" ")},
        {QStringLiteral("3.ตรวจคัดกรอง/ประเมินโรคซึมเศร้างความเครียดในผู้สูงอายุ"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B0280\" and \"1B0289\" ")},
        {QStringLiteral("4.คัดกรองการมองเห็น ได้ยิน สมรรถนะปอด"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B1130\" and \"1B1169\" ")},
        {QStringLiteral("5.ตรวจคัดกรองความเสี่ยงจากสารกำจัดศัตรูพืช"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B1170\" and \"1B1179\" ")},
        {QStringLiteral("6.คัดกรองภาวะหกลมในผู้สูงอายุ"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B1200\" and \"1B1209\" ")},
        {QStringLiteral("7.คัดกรองสมรรถภาพสมอง ความเสี่ยงโรคหัวใจ และหลอดเลือดในผู้สูงอายุ"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B1220\" and \"1B1239\" ")},
        {QStringLiteral("8.คัดกรองสายตา ข้อเข่า โรคจอประสาทตาในผู้สูงอายุ"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B1240\" and \"1B1259\" ")},
        {QStringLiteral("9.คัดกรองพฤติกรรมเสี่ยง การดูแลระยะยาว ข้อเข่า การทำกิจวัตรประจำวันในผู้สูงอายุ"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B1260\" and \"1B1289\" ")},
        {QStringLiteral("10.คัดกรองโรคซึมเศร้า ผู้ป่วยโรคเรื้อรัง หญิงตั้งครรภ์/หลังคลอด"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B130\" and \"1B149\" ")},
        {QStringLiteral("11.คัดกรองโรคซึมเศร้า ผู้มีปัญหาสุรา/สารเสพติด"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B150\" and \"1B169\" ")},
        {QStringLiteral("12.ตรวจคัดกรองโรคซึมเศร้าในผุ้ป่วยมีการทางกายเรื้อรัง"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B170\" and \"1B179\" ")},
        {QStringLiteral("13.คัดกรองโรคซึมเศร้าในกลุ่มผู้ที่มีการสูญเสีย"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B180\" and \"1B189\" ")},
        {QStringLiteral("14.คัดกรองพัฒนาการสมวัยด้านการเคลื่อนไหว"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B200\" and \"1B209\" ")},
        {QStringLiteral("15.คัดกรองพัฒนาการสมวัยด้านกล้ามเนื้อมัดเล็กและสติปัญญา"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B210\" and \"1B219\" ")},
        {QStringLiteral("16.คัดกรองพัฒนาสมวัยด้านการเข้าใจภาษา"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B220\" and \"1B239\" ")},
        {QStringLiteral("17.คัดกรองพัฒนาการสมวัยด้านการช่วยเหลือตนเองและสังคม"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B240\" and \"1B249\" ")},
        {QStringLiteral("18.ประเมินระบบประสาทและพัฒนาการเด็ก"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B250\" and \"1B259\" ")},
        {QStringLiteral("19.ผลการตรวจคัดกรอง"),
         QStringLiteral("select * from pp_special_type  where (pp_special_code between \"1B30\" and \"1B41\" or pp_special_code between \"1B260\" and \"1B262\") ")},
        {QStringLiteral("20.คัดกรองมะเร็งลำใส้"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B0060\" and \"1B0061\" ")},
    };
    // clang-format on
    return s;
}

// Services for the elderly. Tab 11 gathers codes that mostly stand on tabs 1 to 10 as well.
ChecklistDefinition makeElderly()
{
    ChecklistDefinition s;
    s.className = QStringLiteral("TSpecial_pp_edit_2_f");
    s.windowCaption = QStringLiteral("บันทึกข้อมูลส่งเสริมสุขภาพป้องกันโรค (ผู้สูงอายุ)");
    s.groupCaption = QStringLiteral("งานที่ให้บริการผู้สูงอายุ");
    s.frame = ChecklistFrame::Resizable;
    s.innerSize = QSize(926, 628);
    s.tabHeight = 40;
    s.rowHeight = 40;
    // Each query on one line, blanks and all, as the query layer gets it.
    // clang-format off
    s.tabs = {
        {QStringLiteral("1. สมรรถนะผู้สูงอายุ (ADL)"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B1280\",\"1B1281\",\"1B1282\") ")},
        {QStringLiteral("2.ความเสี่ยงต่อโรคหลอดเลือดหัวใจ (เฉพาะ รพ.)"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B1230\",\"1B1231\",\"1B1232\",\"1B1234\",\"1B1235\",\"1B1239\") ")},
        {QStringLiteral("3.สุขภาพช่องปาก"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B1260\",\"1B1261\",\"1B1269\") ")},
        {QStringLiteral("4.สายตาระยะใกล้"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B1240\",\"1B1241\",\"1B1242\",\"1B1243\",\"1B1244\",\"1B1245\",\"1B1250\",\"1B1251\",\"1B1252\",\"1B1253\",\"1B1254\",\"1B1255\",\"1B1256\",\"1B1257\",\"1B1258\") ")},
        {QStringLiteral("5.สมรรถภาพทางสมอง  AMT"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B1220\",\"1B1221\",\"1B1223\",\"1B1224\",\"1B1225\",\"1B1226\",\"1B1229\") ")},
        {QStringLiteral("6.โรคซึมเศร้า 2Q 9Q ST5"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B0280\",\"1B0281\",\"1B0282\",\"1B0283\",\"1B0284\",\"1B0285\",\"1B0286\",\"1B0287\",\"1B0289\") ")},
        {QStringLiteral("7.ปวดข้อเข่า"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B1270\",\"1B1271\",\"1B1272\") ")},
        {QStringLiteral("8.ภาวะหกล้ม"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B1200\",\"1B1201\",\"1B1202\",\"1B1209\") ")},
        {QStringLiteral("9.การกลั้นปัสสาวะ"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B1283\",\"1B1284\",\"1B1285\") ")},
        {QStringLiteral("10. การตรวจคัดกรองสมรรถนะผู้สูงอายุเกี่ยวกับการดูแลระยะยาว"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B1273\",\"1B1274\",\"1B1275\") ")},
        {QStringLiteral("11. ปกติ"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B0030\",\"1B1140\",\"1B1150\",\"1B1280\",\"1B1230\",\"1B1260\",\"1B1240\",\"1B1220\",\"1B0280\",  \"1B1200\",\"1B1284\",\"1B1270\",\"1B1273\",\"1B1243\",\"1B1250\",\"1B1253\",\"1B1256\",\"1B0286\") ")},
    };
    // clang-format on
    s.tickAllTab = 10;
    return s;
}

// Smoking.
ChecklistDefinition makeSmoking()
{
    ChecklistDefinition s;
    s.className = QStringLiteral("TSpecial_pp_edit_3_f");
    s.windowCaption = QStringLiteral("บันทึกข้อมูลส่งเสริมสุขภาพป้องกันโรค (การสูบบุหรี่)");
    s.groupCaption = QStringLiteral("การบันทึกพฤติกรรมสูบบุหรี่");
    s.frame = ChecklistFrame::FixedDialog;
    s.innerSize = QSize(1013, 666);
    s.tabHeight = 50;
    s.rowHeight = 40;
    // Each query on one line, blanks and all, as the query layer gets it.
    // clang-format off
    s.tabs = {
        {QStringLiteral("1. ท่านสูบบุหรี่หรือไม่ (ในระยะเวลา 1 เดือนที่ผ่านมา)"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B50\",\"1B51\",\"1B52\") ")},
        {QStringLiteral("2. ท่านสูบบุหรี่กี่มวลต่อวัน"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B501\",\"1B502\",\"1B503\") ")},
        {QStringLiteral("3. ระยะเวลาที่ท่านสูบบุหรี่มวนแรกหลังตื่นนอน"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B504\",\"1B505\",\"1B506\",\"1B509\") ")},
        {QStringLiteral("4. การให้บริการผู้ติดบุหรี่"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B530\",\"1B531\",\"1B532\") ")},
        {QStringLiteral("5. การติดตาม"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B54\",\"1B540\",\"1B541\",\"1B542\", \"1B55\",\"1B550\",\"1B551\",\"1B552\", \"1B56\",\"1B560\",\"1B561\",\"1B562\") ")},
    };
    // clang-format on
    return s;
}

// Child development.
ChecklistDefinition makeChildDevelopment()
{
    ChecklistDefinition s;
    s.className = QStringLiteral("TSpecial_pp_edit_4_f");
    s.windowCaption = QStringLiteral("บันทึกข้อมูลส่งเสริมสุขภาพป้องกันโรค (พัฒนาการเด็ก)");
    s.groupCaption = QStringLiteral("การบันทึกพัฒนาการเด็ก");
    s.frame = ChecklistFrame::Resizable;
    s.innerSize = QSize(1008, 657);
    s.tabHeight = 50;
    s.rowHeight = 40;
    // Each query on one line, blanks and all, as the query layer gets it.
    // clang-format off
    s.tabs = {
        {QStringLiteral("1.คัดกรองพัฒนาการเด็ก 9, 18, 30, 42 เดือน"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B260\",\"1B261\",\"1B262\") ")},
        {QStringLiteral("2.คัดกรองพัฒนาการเด็ก 9, 18, 30, 42 เดือน สงสัยล่าช้าและล่าช้า"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B200\",\"1B201\",\"1B202\",\"1B210\",\"1B211\",\"1B212\",\"1B220\",\"1B221\",\"1B222\",\"1B230\",\"1B231\",\"1B232\",\"1B240\",\"1B241\",\"1B242\") ")},
        {QStringLiteral("3.คัดกรองพัฒนาการเด็กผิดปกติ LCDLP ที่ทำ TEDA41"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B206\",\"1B207\",\"1B216\",\"1B217\",\"1B226\"  ,\"1B227\",\"1B236\",\"1B237\",\"1B246\",\"1B247\",\"1B256\",\"1B257\",\"1B258\",\"1B259\") ")},
        {QStringLiteral("4.การกระตุ้นพัฒนาการเด็กล่าช้าโดยเครื่องมือ TEDA4I"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B270\",\"1B271\",\"1B272\",\"1B273\",\"1B274\",\"1B275\") ")},
        {QStringLiteral("5.ตรวจเฝ้าระวังนอกเหนือ 4 ช่วงวัย"),
         QStringLiteral("select * from pp_special_type  where pp_special_code between \"1B203\" and \"1B245\" and  substring(pp_special_code,1,3)=\"1B2\" and substring(pp_special_code,5,1) in(\"3\",\"4\",\"5\")  ")},
    };
    // clang-format on
    return s;
}

// Alcohol problems.
ChecklistDefinition makeAlcohol()
{
    ChecklistDefinition s;
    s.className = QStringLiteral("TSpecial_pp_edit_5_f");
    s.windowCaption = QStringLiteral("บันทึกข้อมูลส่งเสริมสุขภาพป้องกันโรค (คัดกรองสุรา)");
    s.groupCaption = QStringLiteral("การบันทึกปัญหาสุรา");
    s.frame = ChecklistFrame::Resizable;
    s.innerSize = QSize(1001, 653);
    s.tabHeight = 50;
    s.rowHeight = 40;
    // Each query on one line, blanks and all, as the query layer gets it.
    // clang-format off
    s.tabs = {
        {QStringLiteral("1. ผู้มีปัญหาสุรา"),
         QStringLiteral("select * from pp_special_type  where pp_special_code in(\"1B600\",\"1B601\",\"1B602\",\"1B603\",\"1B604\",\"1B609\",\"1B610\",\"1B611\",\"1B612\") ")},
    };
    // clang-format on
    return s;
}

} // namespace

const ChecklistDefinition& checklistDefinition(ChecklistKind kind)
{
    static const ChecklistDefinition forms[] = {makeGeneral(), makeElderly(), makeSmoking(),
                                                makeChildDevelopment(), makeAlcohol()};
    return forms[static_cast<int>(kind)];
}
