#include "checklists/Checklist.h"

#include "app/Messages.h"
#include "data/QueryLayer.h"
#include "data/ServiceList.h"
#include "data/SqlValue.h"

const QString Checklist::Ticked = QStringLiteral("1");
const QString Checklist::Unticked = QStringLiteral("False");
const QString Checklist::AlreadyRecordedMessage = QStringLiteral("มีข้อมูลอยู่แล้วไม่เพิ่มข้อมูล !");

namespace {

const QString CodeField = QStringLiteral("pp_special_code");
const QString TypeIdField = QStringLiteral("pp_special_type_id");

QString asText(const QVariant& value)
{
    if (isUnset(value) || isSqlNull(value))
        return QString();
    return value.toString();
}

void setCode(ClientDataSet& table, int row, const QString& value)
{
    table.setRecNo(row);
    table.edit();
    table.setValue(CodeField, value);
    table.post();
}

} // namespace

Checklist::Checklist(const ChecklistDefinition& definition)
{
    for (int tab = 0; tab < definition.tabs.size(); ++tab) {
        auto table = std::make_unique<ClientDataSet>();
        table->setObjectName(QStringLiteral("pp_special_type%1_cds").arg(tab + 1));
        m_tables.push_back(std::move(table));
        m_queries << definition.tabs[tab].query;
    }
    pp_special_insert_cds.setObjectName(QStringLiteral("pp_special_insert_cds"));
}

void Checklist::load(TDSDM& dm)
{
    for (int tab = 0; tab < tabCount(); ++tab)
        table(tab).load(QueryData(dm, m_queries[tab]));
}

void Checklist::save(TDSDM& dm, ServiceList& services, const QString& vn, const QString& hn,
                     const QuickEntry& entry, Messages& messages)
{
    pp_special_insert_cds.load(QueryData(dm, QStringLiteral("select * from pp_special limit 0")));
    for (int tab = 0; tab < tabCount(); ++tab) {
        ClientDataSet& codes = table(tab);
        const int code = codes.fieldIndex(CodeField);
        const int typeId = codes.fieldIndex(TypeIdField);
        for (int row = 0; row < codes.rowCount(); ++row) {
            if (asText(codes.value(row, code)) != Ticked)
                continue;
            const QString type = asText(codes.value(row, typeId));
            pp_special_insert_cds.load(
                QueryData(dm, duplicateTestSql(vn, hn, QDate::currentDate(), type)));
            if (pp_special_insert_cds.rowCount() > 0) {
                messages.info(AlreadyRecordedMessage);
                continue;
            }
            services.addService(dm, vn, hn, type, entry);
            setCode(codes, row, Unticked);
        }
    }
}

void Checklist::setAllCodes(int tab, const QString& value)
{
    ClientDataSet& codes = table(tab);
    for (int row = 0; row < codes.rowCount(); ++row)
        setCode(codes, row, value);
}

Qt::CheckState Checklist::tickState(const QVariant& code)
{
    if (isUnset(code) || isSqlNull(code))
        return Qt::Unchecked;
    const QString text = code.toString();
    if (text == Ticked)
        return Qt::Checked;
    if (text == Unticked)
        return Qt::Unchecked;
    return Qt::PartiallyChecked;
}

QString Checklist::duplicateTestSql(const QString& vn, const QString& hn, const QDate& day,
                                    const QString& typeId)
{
    const QString d = day.toString(QStringLiteral("yyyy-MM-dd"));
    return QStringLiteral("select * from pp_special where vn=") + sqlValue(vn) +
           QStringLiteral(" ") + QStringLiteral(" and hn=") + sqlValue(hn) + QStringLiteral("  ") +
           QStringLiteral(" and entry_datetime between \"") + d +
           QStringLiteral(" 00:00:00\" and ") + QStringLiteral(" \"") + d +
           QStringLiteral(" 23:59:59\" ") + QStringLiteral(" and pp_special_type_id =") +
           sqlValue(typeId) + QStringLiteral(" ");
}
