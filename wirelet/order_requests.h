#pragma once
// The request of every order, with the reply length it expects. Arguments
// come in the order of the exports; each is cut to its width on the wire.
#include <cstdint>

#include "wirelet/order_request.h"

namespace wirelet::orders {

using Bytes = const std::uint8_t*;

OrderRequest order00(std::uint8_t value, std::uint8_t value2);
OrderRequest order01();
OrderRequest order10();
OrderRequest order20(std::uint16_t address);
OrderRequest order21(std::uint16_t address, std::uint8_t count, Bytes data);
OrderRequest order22(std::uint16_t address, std::uint16_t word);
OrderRequest order23(std::uint16_t address, std::uint8_t count, Bytes data);
OrderRequest order24(std::uint16_t address, std::uint8_t count, Bytes data);
OrderRequest order25(std::uint16_t address, std::uint16_t word);
OrderRequest order26(std::uint16_t address);
OrderRequest orderA6(std::uint16_t address);
OrderRequest order27();
OrderRequest order29(std::uint16_t address, std::uint16_t word);
OrderRequest order2A(std::uint16_t address, std::uint8_t count);
OrderRequest order2B(std::uint16_t address, std::uint8_t count, Bytes data);
OrderRequest order2C(std::uint16_t address, Bytes data, Bytes data2);
OrderRequest order40(std::uint16_t address, std::uint8_t count);
OrderRequest orderC0(std::uint16_t address, std::uint8_t count);
OrderRequest order41(std::uint16_t address, std::uint8_t count, std::uint16_t word);
OrderRequest order43(std::uint16_t address, std::uint16_t address2, std::uint16_t word);
OrderRequest order44(std::uint16_t address);
OrderRequest orderC4(std::uint16_t address);
OrderRequest order45(std::uint16_t address);
OrderRequest orderC5(std::uint16_t address);
OrderRequest order46(std::uint16_t address, std::uint8_t count, Bytes data);
OrderRequest order48();
OrderRequest order49(std::uint16_t address, std::uint16_t word);
OrderRequest order50(std::uint16_t address, std::uint16_t count);
OrderRequest order51(std::uint16_t address, std::uint16_t count, Bytes data);
OrderRequest order61_00(std::uint8_t value);
OrderRequest order61_02(std::uint8_t value);
OrderRequest order61_12(std::uint8_t value, std::uint32_t address, std::uint16_t count);
OrderRequest order61_13(std::uint8_t value, std::uint32_t address, std::uint16_t count, Bytes data);
OrderRequest order70(std::uint8_t value, std::uint8_t count, std::uint16_t address);
OrderRequest order71(std::uint8_t value, std::uint8_t count, std::uint16_t address, Bytes data);

}  // namespace wirelet::orders
