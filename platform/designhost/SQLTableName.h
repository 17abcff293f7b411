#pragma once
// The host's GetTableNameFromSQL: the first table a SELECT statement's FROM
// list names, without quotes; empty when there is none.
#include <string>
#include <string_view>

std::string GetTableNameFromSQL(std::string_view sql);
