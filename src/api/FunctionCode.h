#pragma once

// The function codes of the delegate-style requests: an endpoint operation stores its code in
// APIController::functionName() and the delegate gets it back with the answer. Codes are not
// unique: endpoints of one family share a code (a delegate never sends two of them), and an
// on/off pair of settings may use two. Where endpoints share a code each has its own name here.
namespace FunctionCode {

// ---- login and user account
inline constexpr int Login = 1; // the inactivity timer restarts after its answer
inline constexpr int CheckPassword = 2;
inline constexpr int GetExtraInformation = 3;
inline constexpr int ResetPassword = 4;
inline constexpr int IsValidToken = 5;
inline constexpr int SetSubsidiary = 6;
inline constexpr int UpdatePushToken = 7;
inline constexpr int GetUrls = 8;
inline constexpr int AcceptTerms = 9;
inline constexpr int Register = 16;
inline constexpr int RegisterAgent = 16;
inline constexpr int SetExtraInformation = 17;
inline constexpr int ActivateAccount = 18;
inline constexpr int GetBankName = 19;
inline constexpr int ValidateRegistrationToken = 20;

// ---- PIN, agreements and batches
inline constexpr int SetPin = 10;
inline constexpr int CheckPin = 11;
inline constexpr int CheckAgentPin = 11;
inline constexpr int GetAgreements = 12;
inline constexpr int CloseBatch = 13;
inline constexpr int GetBatch = 14;
inline constexpr int GetBatchClosures = 15;

// ---- settings
inline constexpr int InitialSetup = 21;
inline constexpr int UploadImage = 22;
inline constexpr int UpdatePredefinedTax = 23;
inline constexpr int SetAvailableTip = 24;
inline constexpr int SetNotAvailableTip = 25;
inline constexpr int UpdatePredefinedTip = 26;
inline constexpr int SetTipsToShow = 27;
inline constexpr int UpdateObligatoryTipPercentage = 28;
inline constexpr int SetAvailableDiscount = 29;
inline constexpr int SetNotAvailableDiscount = 30;
inline constexpr int SetDiscountsToShow = 31;
inline constexpr int UpdatePredefinedDiscount = 32;
inline constexpr int SignAvailable = 33;
inline constexpr int SignNotAvailable = 34;
inline constexpr int CatalogAvailable = 35;
inline constexpr int CatalogNotAvailable = 36;
inline constexpr int BuyersAvailable = 37;
inline constexpr int BuyersNotAvailable = 38;
inline constexpr int SubusersAvailable = 39;
inline constexpr int SubusersNotAvailable = 40;
inline constexpr int UpdateTutorialSettings = 41;
inline constexpr int FeedbackAvailability = 42;
inline constexpr int SetLanguage = 43;
inline constexpr int UpdateExchangeRate = 44;
inline constexpr int SetMode = 50;

// ---- sales, refunds and voids
inline constexpr int MakeAnnulation = 45; // void of a card sale
inline constexpr int Annulation = 45;     // void of a cash operation
inline constexpr int MakeRefund = 46;
inline constexpr int MakeRefundEMVTags = 47;
inline constexpr int MakePartialRefund = 49;
inline constexpr int SaleHistory = 51;   // the reply is delivered as {"content": reply}
inline constexpr int SaleRecord = 52;    // the reply is delivered as {"content": reply}
inline constexpr int OperationInfo = 52; // the reply is delivered as {"content": reply}
inline constexpr int SavePayment = 53;
inline constexpr int PrepaidPayment = 53;
inline constexpr int SaveSignatureImage = 54;
inline constexpr int SavePersonalId = 55;
inline constexpr int AdjustTip = 56;
inline constexpr int SendInvoice = 57;
inline constexpr int GetToPrint = 58; // the reply is delivered as raw bytes
inline constexpr int OperationCompletion = 59;
inline constexpr int SalesSummary = 100;

// ---- installments, banks, issuers and promotions
inline constexpr int GetInstallments = 60;
inline constexpr int GetBanks = 61;
inline constexpr int GetInformationByCard = 62;
inline constexpr int GetInformationByBank = 63;
inline constexpr int GetPromotion = 64;
inline constexpr int InstallmentsForSale = 64;
inline constexpr int InstallmentsForBin = 64;
inline constexpr int GetIssuers = 65;

// ---- catalog, discounts and private installments
inline constexpr int SaveCategory = 66;
inline constexpr int SaveProduct = 67;
inline constexpr int DeleteCategory = 68;
inline constexpr int DeleteProduct = 69;
inline constexpr int AssignCategoryToProducts = 70;
inline constexpr int SaveFavorite = 71;
inline constexpr int DeleteFavorite = 72;
inline constexpr int SaveDiscount = 73;
inline constexpr int DeleteDiscount = 74;
inline constexpr int SetPrivateInstallmentsOrder = 76;
inline constexpr int SavePrivateInstallment = 77;
inline constexpr int DeletePrivateInstallment = 78;

// ---- sub-users, buyers, feedback and balances
inline constexpr int GetSubUsers = 79;
inline constexpr int SaveSubUser = 80;
inline constexpr int UpdateSubUserState = 81;
inline constexpr int DeleteSubUser = 82;
inline constexpr int TransferSubUser = 83;
inline constexpr int GetBuyers = 84;
inline constexpr int FindBuyer = 84;
inline constexpr int SaveBuyer = 85;
inline constexpr int DeleteBuyer = 86;
inline constexpr int GetCountries = 87;
inline constexpr int GetFeedback = 88;
inline constexpr int SaveFeedbackReadState = 89;
inline constexpr int SaveFeedbackReply = 90;
inline constexpr int GetBalance = 91;
inline constexpr int GetBankAccounts = 92;
inline constexpr int MakeCashout = 93;

// ---- readers and the reader shop
inline constexpr int ReaderChecked = 94;
inline constexpr int SelectReader = 95;
inline constexpr int PickUpLocations = 101;
inline constexpr int GetFrontData = 102;
inline constexpr int SetOrderData = 103;
inline constexpr int GetWalletCards = 104;

// ---- prepaid cards, recharges and service payments
inline constexpr int Refill = 105;
inline constexpr int RefillVoucher = 106;
inline constexpr int RechargeBalance = 107;
inline constexpr int RechargeCompanies = 108;
inline constexpr int ServiceItems = 109;
inline constexpr int ServiceCompanies = 110;
inline constexpr int MakeRecharge = 111;
inline constexpr int PayService = 111;

// ---- payment buttons
inline constexpr int PaymentButton = 113;
inline constexpr int SendPaymentButton = 114;

} // namespace FunctionCode
