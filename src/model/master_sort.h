#pragma once
// The columns of the customer and item masters and their sort. Texts are compared as a
// Japanese reader orders them, letters without regard to case, independent of the
// locale the program runs under; every customer field is text (the code 10 sorts before
// 9); item amounts compare as numbers. Records with equal keys keep their order.
#include <string>

#include "model/master_lists.h"

namespace qm {

enum class CustomerColumn { Code, Name1, Name2, Name3, Zip, Address1, Address2, Tel, Fax };
inline constexpr int kCustomerColumns = 9;

// The field a column shows, and its key in the command line's JSON.
const std::string& CustomerField(const TMxCustomerObject& c, CustomerColumn column);
void SetCustomerField(TMxCustomerObject& c, CustomerColumn column, std::string value);
const char* CustomerFieldKey(CustomerColumn column);

void SortCustomers(TMxCustomerObjectList& list, CustomerColumn column, bool descending);

enum class ItemColumn { Name, Unit, Price, Cost };
const char* ItemFieldKey(ItemColumn column);
void SortItems(TMxItemObjectList& list, ItemColumn column, bool descending);

}  // namespace qm
