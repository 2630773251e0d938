// The ADO query and its registration.
#include "data/ado_query.h"

#include "core/classes.h"
#include "data/datasource.h"
#include "data/parameters.h"
#include "platform/codepage.h"

TADOQuery::TADOQuery(TComponent* owner)
    : TCustomADODataSet(owner), sql_(std::make_unique<TStringList>()) {
  Command().SetCommandTextAlias("SQL");
  sql_->OnChange = TNotifyEvent(this, &TADOQuery::ApplySQLChange);
}

TADOQuery::~TADOQuery() {
  sql_->OnChange = TNotifyEvent();
}

void TADOQuery::SetSQL(TStringList* value) {
  if (value != nullptr && value != sql_.get()) sql_->Assign(*value);
}

void TADOQuery::ApplySQLChange(TObject*) {
  if (!ComponentState().Contains(TComponentStateFlag::csLoading)) CloseDataSet();
  SetCommandTextOf(platform::AnsiToWide(sql_->Text()));
}

namespace {

[[maybe_unused]] const auto kTADOQuery =
    RegisterClass<TADOQuery, TCustomADODataSet>("TADOQuery")
        .Property("SQL", &TADOQuery::SQL, &TADOQuery::SetSQL)
        .Property("DataSource", &TADOQuery::DataSource, &TADOQuery::SetDataSource)
        .Property("Parameters", &TADOQuery::Parameters, &TADOQuery::SetParameters)
        .Property("ParamCheck", &TADOQuery::ParamCheck, &TADOQuery::SetParamCheck)
        .Property("Prepared", &TADOQuery::Prepared, &TADOQuery::SetPrepared)
        .Property("CommandTimeout", &TADOQuery::CommandTimeout, &TADOQuery::SetCommandTimeout)
        .Property("EnableBCD", &TADOQuery::EnableBCD, &TADOQuery::SetEnableBCD);

}  // namespace
