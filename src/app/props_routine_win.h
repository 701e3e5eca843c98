// The Routine page: the mode of routine runs, its Run button, and the mailing-list addresses
// whose mail is signed, not encrypted.
#pragma once

#include "app/props_page_win.h"
#include "app/propsmodel.h"

#include <string>
#include <vector>

class TRoutinePage : public TPropsPage {
  public:
    explicit TRoutinePage(TPropsForm& form);

    void AddCommands(CommandTable& table) override;
    const PlaceTable& Places() const override;

    int ModeIndex() const; // optProcessing
    void SetModeIndex(int index);
    // lstMailingListAddress's entries, exactly as typed.
    const std::vector<std::string>& MailingList() const { return mailingList_; }
    void SetMailingList(const std::vector<std::string>& entries);
    std::string TypedAddress() const;
    bool AddressSelected() const;
    // The refresh's part here: Add and Remove enabled or grey.
    void ShowRefresh(const RefreshDecision& decision);

    void btnRunRoutineClick();
    void txtMailingListAddressChange();
    void btnMailingListAddressAddClick();
    void btnMailingListAddressRemoveClick();
    void lstMailingListAddressClick();

  private:
    TPropsForm& form_;
    std::vector<std::string> mailingList_;
};
