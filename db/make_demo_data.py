#!/usr/bin/env python3
"""Writes demo_data.sql, the content of the demo database: a small factory
making gear reducers and control cabinets. Deterministic: the same script
always writes the same file. Run it from this folder after changing it and
commit both."""

CLASSES = [
    # code, name, grade, leaf
    ("01", "原材料", 1, 0),
    ("0101", "金属材料", 2, 0),
    ("010101", "钢材", 3, 1),
    ("010102", "铝材", 3, 1),
    ("0102", "电子元器件", 2, 0),
    ("010201", "分立元件", 3, 1),
    ("010202", "集成电路", 3, 1),
    ("0103", "标准件", 2, 0),
    ("010301", "紧固件", 3, 1),
    ("010302", "轴承及密封件", 3, 1),
    ("02", "半成品", 1, 0),
    ("0201", "机加件", 2, 0),
    ("020101", "轴类", 3, 1),
    ("020102", "壳体", 3, 1),
    ("0202", "组件", 2, 0),
    ("020201", "电路板组件", 3, 1),
    ("020202", "传动组件", 3, 1),
    ("03", "产成品", 1, 0),
    ("0301", "整机", 2, 0),
    ("030101", "减速机", 3, 1),
    ("030102", "控制柜", 3, 1),
    ("04", "辅助材料", 1, 0),
    ("0401", "五金辅料", 2, 0),
    ("040101", "紧固件", 3, 1),
    ("0402", "包装材料", 2, 0),
    ("040201", "包装材料", 3, 1),
]

UNITS = [("01", "个"), ("02", "件"), ("03", "台"), ("04", "套"),
         ("05", "千克"), ("06", "米"), ("07", "张"), ("08", "块"),
         ("09", "卷"), ("10", "只")]

DEPARTMENTS = [("01", "生产部"), ("0101", "机加车间"), ("0102", "装配车间"),
               ("0103", "电子车间"), ("0104", "包装车间"), ("02", "仓储部")]

# Warehouses by class group: raw materials, semi-finished, finished, aids.
WAREHOUSE = {"01": "01", "02": "02", "03": "03", "04": "04"}
DEPARTMENT = {"01": "0101", "02": "0102", "03": "0102", "04": "0104"}

# Items per leaf class: (name, [models], unit, auxiliary-code prefix).
ITEMS = {
    "010101": [
        ("冷轧钢板", ["0.8mm×1250×2500", "1.0mm×1250×2500", "1.2mm×1250×2500",
                  "1.5mm×1250×2500", "2.0mm×1250×2500", "2.5mm×1250×2500",
                  "3.0mm×1500×3000"], "07", "GB-LZ"),
        ("热轧钢板", ["4mm×1500×6000", "6mm×1500×6000", "8mm×1500×6000",
                  "10mm×1500×6000", "12mm×2000×6000"],
         "07", "GB-RZ"),
        ("镀锌钢板", ["0.8mm×1220×2440", "1.2mm×1220×2440"], "07", "GB-DX"),
        ("圆钢", ["45#φ20", "45#φ25", "45#φ30", "45#φ35", "45#φ40",
                "45#φ45", "40Cr φ50", "40Cr φ60", "40Cr φ70",
                "20CrMnTi φ80"], "05", "GB-YG"),
        ("角钢", ["∠40×4", "∠50×5", "∠63×6"], "06", "GB-JG"),
        ("方钢", ["Q235 20×20", "Q235 30×30"], "05", None),
        ("无缝钢管", ["φ32×3", "φ48×4", "φ76×5"], "06", "GB-GG"),
    ],
    "010102": [
        ("铝板", ["1060 1mm", "1060 2mm", "5052 3mm", "6061 5mm",
                "6061 8mm"], "07", "AL-B"),
        ("铝型材", ["2020", "3030", "4040", "4080", "6060", "8080"], "06",
         "AL-X"),
        ("铝棒", ["6061 φ30", "6061 φ50"], "05", None),
        ("压铸铝锭", ["ADC12"], "05", "AL-D"),
    ],
    "010201": [
        ("贴片电阻", ["0603 10Ω ±1%", "0603 22Ω ±1%", "0603 47Ω ±1%",
                  "0603 100Ω ±1%", "0603 120Ω ±1%", "0603 220Ω ±1%", "0603 470Ω ±1%",
                  "0603 1kΩ ±1%", "0603 2.2kΩ ±1%", "0603 4.7kΩ ±1%",
                  "0603 10kΩ ±1%", "0603 22kΩ ±1%", "0603 47kΩ ±1%",
                  "0603 100kΩ ±1%", "0603 1MΩ ±1%", "0805 0Ω",
                  "0805 10kΩ ±1%", "1206 0.1Ω ±1%", "2512 0.01Ω ±1%"],
         "10", "R"),
        ("贴片电容", ["0603 22pF 50V", "0603 100pF 50V", "0603 1nF 50V",
                  "0603 10nF 50V", "0603 0.1μF 50V", "0805 1μF 25V",
                  "0805 4.7μF 25V", "0805 10μF 16V", "1206 22μF 16V"],
         "10", "C"),
        ("电解电容", ["100μF 25V", "220μF 35V", "470μF 35V", "1000μF 50V",
                  "2200μF 63V"], "10", "CE"),
        ("压敏电阻", ["10D471K", "14D471K"], "10", None),
        ("热敏电阻", ["NTC 10K B3950", "NTC 5D-11"], "10", "RT"),
        ("二极管", ["1N4007", "1N4148W", "SS34", "SMBJ24A", "BAT54S",
                 "ZMM5V1"], "10", "D"),
        ("晶振", ["8MHz", "12MHz", "32.768kHz"], "10", "Y"),
    ],
    "010202": [
        ("单片机", ["STM32F103C8T6", "STM32F407VGT6", "GD32F303RCT6"], "10",
         "IC-MCU"),
        ("运算放大器", ["LM358DR", "TL074CDR"], "10", "IC-OP"),
        ("稳压芯片", ["AMS1117-3.3", "LM2596S-5.0", "TPS5430DDAR"], "10",
         "IC-PW"),
        ("驱动芯片", ["IR2104S", "ULN2003A"], "10", "IC-DR"),
        ("存储芯片", ["W25Q64JVSIQ", "AT24C02"], "10", None),
        ("光耦", ["PC817C", "TLP521"], "10", "IC-OC"),
        ("通信芯片", ["MAX485ESA", "SN65HVD230", "CH340G"], "10", "IC-CM"),
        ("逻辑芯片", ["74HC595D", "74HC245D", "CD4051BM"], "10", None),
    ],
    "010301": [
        ("六角螺栓", ["M6×20", "M6×25", "M6×30", "M8×20", "M8×25", "M8×30",
                  "M8×40", "M10×25", "M10×30", "M10×40", "M12×30", "M12×40",
                  "M12×50", "M16×50", "M16×60"], "01", "GB5783"),
        ("六角螺母", ["M5", "M6", "M8", "M10", "M12", "M16", "M20"], "01",
         "GB6170"),
        ("平垫圈", ["5", "6", "8", "10", "12", "16", "20"], "01", "GB97.1"),
        ("弹簧垫圈", ["5", "6", "8", "10", "12", "16"], "01", "GB93"),
        ("内六角螺钉", ["M3×8", "M4×10", "M4×16", "M5×12", "M5×20", "M6×16",
                   "M6×25", "M8×30"], "01", "GB70.1"),
        ("圆柱销", ["φ4×20", "φ6×30", "φ8×40"], "01", None),
        ("孔用挡圈", ["47", "52", "62"], "01", "GB893"),
        ("轴用挡圈", ["20", "25", "30"], "01", "GB894"),
    ],
    "010302": [
        ("深沟球轴承", ["6204-2RS", "6205-2RS", "6206-2RS", "6208-2RS",
                   "6308-2Z"], "10", "ZC-SG"),
        ("圆锥滚子轴承", ["30205", "30206", "30208"], "10", "ZC-YZ"),
        ("骨架油封", ["TC25×47×7", "TC30×52×7", "TC40×62×8"], "01", "YF"),
        ("O型圈", ["φ50×2.65", "φ80×3.55"], "01", None),
    ],
    "020101": [
        ("输入轴", ["WPA-60", "WPA-80", "WPA-100", "WPA-120", "WPA-135",
                 "PL-90"], "02", "ZL-SR"),
        ("输出轴", ["WPA-60", "WPA-80", "WPA-100", "WPA-120", "WPA-135",
                 "PL-90"], "02", "ZL-SC"),
        ("中间轴", ["PL-90", "PL-120"], "02", "ZL-ZJ"),
        ("蜗杆", ["WPA-60 i=10", "WPA-80 i=20", "WPA-100 i=30"], "02", None),
        ("齿轮轴", ["m2 z18", "m3 z20"], "02", "ZL-CL"),
    ],
    "020102": [
        ("减速机箱体", ["WPA-60", "WPA-80", "WPA-100", "WPA-120", "WPA-135",
                   "PL-90", "PL-120"], "02", "KT-XT"),
        ("端盖", ["WPA-60", "WPA-80", "WPA-100", "WPA-120", "WPA-135"], "02",
         "KT-DG"),
        ("柜体", ["600×400×1800", "800×600×2000", "600×300×800"], "04",
         "KT-GT"),
        ("安装底板", ["600×1800", "800×2000"], "08", None),
    ],
    "020201": [
        ("主控板", ["ZK-01 V1.0", "ZK-01 V2.0", "ZK-02 V1.0"], "08", "PCBA-ZK"),
        ("电源板", ["DY-24V", "DY-48V"], "08", "PCBA-DY"),
        ("驱动板", ["QD-3KW", "QD-7.5KW"], "08", "PCBA-QD"),
        ("显示板", ["XS-LCD", "XS-LED"], "08", "PCBA-XS"),
        ("按键板", ["AJ-6"], "08", None),
        ("通信板", ["TX-485", "TX-CAN"], "08", "PCBA-TX"),
    ],
    "020202": [
        ("蜗轮副", ["WPA-60 i=10", "WPA-80 i=20", "WPA-100 i=30",
                 "WPA-120 i=20", "WPA-135 i=30"], "04", "CD-WL"),
        ("行星齿轮组", ["PL-90 i=5", "PL-120 i=10"], "04", "CD-XX"),
        ("轴承组件", ["6204-2RS", "6206-2RS", "6308-2Z"], "04", "CD-ZC"),
        ("联轴器组件", ["LX-30"], "04", None),
        ("离合器组件", ["LH-50"], "04", "CD-LH"),
        ("制动器组件", ["ZD-50"], "04", "CD-ZD"),
    ],
    "030101": [
        ("蜗轮蜗杆减速机", ["WPA-60 i=10", "WPA-80 i=20", "WPA-100 i=30",
                     "WPA-100 i=40", "WPA-120 i=20", "WPA-135 i=30"], "03",
         "JSJ-WPA"),
        ("行星减速机", ["PL-90 i=5", "PL-90 i=10", "PL-120 i=10"], "03",
         "JSJ-PL"),
        ("减速电机", ["WPA-80 0.75KW"], "03", None),
        ("英制蜗轮减速机", ["NMRV-050 3/4'' 孔"], "03", "JSJ-NMRV"),
    ],
    "030102": [
        ("变频控制柜", ["3KW", "7.5KW", "15KW"], "03", "KZG-BP"),
        ("PLC控制柜", ["S-16点", "S-32点"], "03", "KZG-PLC"),
        ("配电箱", ["XL-21"], "03", None),
    ],
    "040101": [
        ("膨胀螺栓", ["M8×80", "M10×100", "M12×120"], "01", "FL-PZ"),
        ("尼龙扎带", ["3×150", "4×200", "5×300"], "09", "FL-ZD"),
        ("自攻螺钉", ["ST2.9×9.5", "ST3.5×13", "ST4.2×16", "ST4.8×19"], "01",
         None),
        ("铆钉", ["4×8", "4×10", "5×12"], "01", "FL-MD"),
        ("线卡", ["UC-1", "UC-2"], "01", "FL-XK"),
    ],
    "040201": [
        ("纸箱", ["300×200×200", "400×300×250", "500×400×300", "600×400×400",
                "800×600×600"], "01", "BZ-ZX"),
        ("珍珠棉", ["10mm", "20mm"], "07", "BZ-ZZ"),
        ("木箱", ["1000×800×800", "1200×1000×2100"], "01", "BZ-MX"),
        ("合格证", ["通用"], "07", "BZ-HG"),
        ("标签", ["物料标签", "防潮标签", "易碎标签"], "07", "BZ-BQ"),
        ("铭牌", ["减速机", "控制柜"], "08", "BZ-MP"),
        ("说明书", ["减速机", "控制柜"], "02", None),
        ("笑脸贴纸😀", ["50×50"], "07", "BZ-TZ"),
        ("缠绕膜", ["500mm×20μm"], "09", "BZ-CR"),
        ("气泡膜", ["1000mm"], "09", None),
    ],
}


def quote(value):
    if value is None:
        return "NULL"
    if isinstance(value, (int, float)):
        return repr(value)
    return "'" + str(value).replace("'", "''") + "'"


def insert(out, table, columns, rows, comment=None):
    if comment:
        out.append("-- " + comment)
    out.append("INSERT INTO %s (%s) VALUES" % (table, ", ".join(columns)))
    lines = ["  (" + ", ".join(quote(v) for v in row) + ")" for row in rows]
    out.append(",\n".join(lines) + ";")
    out.append("")


class Factory:
    def __init__(self):
        self.items = []        # (code, addcode, name, std, class, unit)
        self.part_of = {}      # (name, std) -> PartId
        self.parts = []        # (PartId, code, free1, free2)
        self.boms = []         # bom_bom rows
        self.parents = []      # (BomId, PartId)
        self.components = []   # bom_opcomponent rows
        self.next_bom = 1001
        self.next_component = 1

    def make_items(self):
        serial = 0
        for cls, groups in ITEMS.items():
            number = 0
            for name, models, unit, prefix in groups:
                for model in models:
                    number += 1
                    serial += 1
                    code = "%s%04d" % (cls, number)
                    addcode = None if prefix is None else "%s-%03d" % (prefix, number)
                    # Every seventh item was entered without a model.
                    std = None if serial % 7 == 0 else model
                    self.items.append((code, addcode, name, std, cls, unit))
                    part = 2000 + serial
                    colour = {"020102": "灰色", "030102": "电脑白"}.get(cls)
                    grade = "A" if cls == "020101" and number % 2 else None
                    self.parts.append((part, code, colour, grade))
                    self.part_of[(name, model)] = part
                    self.class_of_part = getattr(self, "class_of_part", {})
                    self.class_of_part[part] = cls

    def part(self, name, model):
        return self.part_of[(name, model)]

    def bom(self, name, model, components, bomtype=1, version=1, status=3,
            desc=None, ident=None, eff="2021-03-01 00:00:00",
            end="2099-12-31 00:00:00", user="张工"):
        bom_id = self.next_bom
        self.next_bom += 1
        ident_code, ident_desc = ident if ident else (None, None)
        self.boms.append((bom_id, bomtype, version, desc, eff, end, ident_code,
                          ident_desc, status, user, eff[:10] + " 00:00:00"))
        self.parents.append((bom_id, self.part(name, model)))
        for seq, component in enumerate(components, start=1):
            (cname, cmodel, qty) = component[:3]
            options = component[3] if len(component) > 3 else {}
            part = self.part(cname, cmodel)
            group = self.class_of_part[part][:2]
            numerator, denominator = qty if isinstance(qty, tuple) else (qty, 1)
            self.components.append((
                self.next_component, bom_id, seq * 10, part, numerator,
                denominator, options.get("aux"), options.get("byproduct", 0),
                options.get("fixed", 0) ^ 1, DEPARTMENT[group],
                options.get("wh", WAREHOUSE[group]), options.get("remark")))
            self.next_component += 1
        return bom_id


def build():
    f = Factory()
    f.make_items()

    # Shafts and worms: machined from round steel.
    steel = {"WPA-60": "45#φ20", "WPA-80": "45#φ30", "WPA-100": "45#φ40",
             "PL-90": "40Cr φ50", "PL-120": "40Cr φ60"}
    steel.update({"WPA-120": "45#φ45", "WPA-135": "40Cr φ70"})
    for name in ("输入轴", "输出轴"):
        for model in ("WPA-60", "WPA-80", "WPA-100", "WPA-120", "WPA-135",
                      "PL-90"):
            f.bom(name, model, [("圆钢", steel[model], 2.35)])
    f.bom("中间轴", "PL-90", [("圆钢", "40Cr φ50", 1.8)])
    f.bom("中间轴", "PL-120", [("圆钢", "40Cr φ60", 2.6)],
          eff="2022-06-15 08:30:00")
    for model, rod in (("WPA-60 i=10", "45#φ20"), ("WPA-80 i=20", "45#φ30"),
                       ("WPA-100 i=30", "45#φ40")):
        f.bom("蜗杆", model, [("圆钢", rod, 1.25)])
    f.bom("齿轮轴", "m2 z18", [("圆钢", "20CrMnTi φ80", 0.75)])

    # Housings and covers: cast aluminium or welded steel.
    for model, ingot in (("WPA-60", 4.5), ("WPA-80", 7.2), ("WPA-100", 11.6),
                         ("WPA-120", 15.8), ("WPA-135", 21.25)):
        f.bom("减速机箱体", model, [("压铸铝锭", "ADC12", ingot),
                               ("圆柱销", "φ6×30", 2)])
        f.bom("端盖", model, [("压铸铝锭", "ADC12", round(ingot / 4, 2))])
    f.bom("减速机箱体", "PL-90", [("铝棒", "6061 φ50", 3.4)])
    f.bom("减速机箱体", "PL-120", [("铝棒", "6061 φ50", 5.1)],
          eff="2023-05-18 09:30:00")
    for model, sheet in (("600×400×1800", 3), ("800×600×2000", 4),
                         ("600×300×800", (3, 2))):
        f.bom("柜体", model, [("冷轧钢板", "1.5mm×1250×2500", sheet),
                            ("镀锌钢板", "1.2mm×1220×2440", 1),
                            ("自攻螺钉", "ST4.2×16", 48)])

    # Circuit boards.
    resistors = ["0603 10Ω ±1%", "0603 1kΩ ±1%", "0603 10kΩ ±1%"]
    for model, mcu in (("ZK-01 V1.0", "STM32F103C8T6"),
                       ("ZK-01 V2.0", "STM32F407VGT6"),
                       ("ZK-02 V1.0", "GD32F303RCT6")):
        f.bom("主控板", model,
              [("单片机", mcu, 1), ("存储芯片", "W25Q64JVSIQ", 1),
               ("稳压芯片", "AMS1117-3.3", 1)]
              + [("贴片电阻", r, 6) for r in resistors]
              + [("贴片电容", "0603 0.1μF 50V", 12),
                 ("光耦", "PC817C", 4)])
    f.bom("电源板", "DY-24V", [("电解电容", "1000μF 50V", 2),
                             ("稳压芯片", "LM2596S-5.0", 1),
                             ("压敏电阻", "14D471K", 1),
                             ("贴片电阻", "1206 0.1Ω ±1%", 2)])
    f.bom("电源板", "DY-48V", [("电解电容", "2200μF 63V", 2),
                             ("稳压芯片", "TPS5430DDAR", 1),
                             ("压敏电阻", "14D471K", 1)])
    for model in ("QD-3KW", "QD-7.5KW"):
        f.bom("驱动板", model, [("驱动芯片", "IR2104S", 3),
                              ("运算放大器", "LM358DR", 2),
                              ("电解电容", "470μF 35V", 4),
                              ("贴片电阻", "0603 100Ω ±1%", 12)])
    f.bom("按键板", "AJ-6", [("贴片电阻", "0603 4.7kΩ ±1%", 6)])
    f.bom("通信板", "TX-485", [("通信芯片", "MAX485ESA", 1),
                             ("贴片电阻", "0603 120Ω ±1%", 1),
                             ("二极管", "SMBJ24A", 2)])
    f.bom("通信板", "TX-CAN", [("通信芯片", "SN65HVD230", 1),
                             ("贴片电阻", "0603 120Ω ±1%", 1),
                             ("晶振", "8MHz", 1)])
    # The display board carries the key board: four levels below a cabinet.
    f.bom("显示板", "XS-LCD", [("按键板", "AJ-6", 1),
                             ("驱动芯片", "ULN2003A", 1),
                             ("贴片电容", "0805 1μF 25V", 4)])
    f.bom("显示板", "XS-LED", [("按键板", "AJ-6", 1),
                             ("贴片电阻", "0603 100kΩ ±1%", 8)],
          status=1, desc="试制", eff="2024-02-20 14:00:00", user=None)

    # Gear sets.
    for model, shaft, out in (("WPA-60 i=10", "WPA-60 i=10", "WPA-60"),
                              ("WPA-80 i=20", "WPA-80 i=20", "WPA-80"),
                              ("WPA-100 i=30", "WPA-100 i=30", "WPA-100"),
                              ("WPA-120 i=20", "WPA-100 i=30", "WPA-120"),
                              ("WPA-135 i=30", "WPA-100 i=30", "WPA-135")):
        f.bom("蜗轮副", model, [("蜗杆", shaft, 1), ("输出轴", out, 1),
                              ("轴承组件", "6204-2RS", 2)])
    f.bom("行星齿轮组", "PL-90 i=5", [("输入轴", "PL-90", 1),
                                  ("中间轴", "PL-90", 3),
                                  ("齿轮轴", "m2 z18", 3),
                                  ("轴承组件", "6206-2RS", 2)])
    f.bom("行星齿轮组", "PL-120 i=10", [("中间轴", "PL-120", 4),
                                    ("轴承组件", "6308-2Z", 2)])
    for model in ("6204-2RS", "6206-2RS"):
        f.bom("轴承组件", model, [("平垫圈", "10", 2), ("弹簧垫圈", "10", 1)])
    # Data-entry slips a real database has: a coupling entered as its own
    # component, and a clutch and a brake that contain each other.
    f.bom("联轴器组件", "LX-30", [("联轴器组件", "LX-30", 1),
                              ("内六角螺钉", "M5×12", 4)])
    f.bom("离合器组件", "LH-50", [("制动器组件", "ZD-50", 1),
                              ("六角螺栓", "M8×25", 4)])
    f.bom("制动器组件", "ZD-50", [("离合器组件", "LH-50", (1, 2)),
                              ("六角螺母", "M8", 4)])

    # Gear reducers, each with packing.
    reducers = [
        ("WPA-60 i=10", "WPA-60", "WPA-60", "300×200×200"),
        ("WPA-80 i=20", "WPA-80", "WPA-80", "500×400×300"),
        ("WPA-100 i=30", "WPA-100", "WPA-100", "500×400×300"),
        ("WPA-100 i=40", "WPA-100", "WPA-100", "500×400×300"),
        ("WPA-120 i=20", "WPA-120", "WPA-120", "600×400×400"),
        ("WPA-135 i=30", "WPA-135", "WPA-135", "600×400×400"),
    ]
    for model, housing, shaft, box in reducers:
        gear = model if model != "WPA-100 i=40" else "WPA-100 i=30"
        f.bom("蜗轮蜗杆减速机", model,
              [("蜗轮副", gear, 1), ("减速机箱体", housing, 1),
               ("端盖", housing, 2), ("输入轴", shaft, 1),
               ("六角螺栓", "M8×25", 8), ("弹簧垫圈", "8", 8),
               ("纸箱", box, 1, {"aux": (1, 2)}),
               ("铭牌", "减速机", 1), ("说明书", "减速机", 1),
               ("合格证", "通用", 1), ("笑脸贴纸😀", "50×50", 1)])
    # Alternatives: wooden case for export, bolts of another grade.
    f.bom("蜗轮蜗杆减速机", "WPA-80 i=20",
          [("蜗轮副", "WPA-80 i=20", 1), ("减速机箱体", "WPA-80", 1),
           ("端盖", "WPA-80", 2), ("六角螺栓", "M10×30", 8),
           ("木箱", "1000×800×800", (1, 4))],
          bomtype=2, ident=("A1", "出口木箱包装"), desc="出口")
    f.bom("蜗轮蜗杆减速机", "WPA-100 i=30",
          [("蜗轮副", "WPA-100 i=30", 1), ("减速机箱体", "WPA-100", 1),
           ("端盖", "WPA-100", 2), ("六角螺栓", "M12×40", 8)],
          bomtype=2, ident=("A1", "螺栓加大"), status=1,
          eff="2024-03-01 00:00:00")
    # Two versions: the first stopped at a time of day, the second approved.
    f.bom("行星减速机", "PL-90 i=5",
          [("行星齿轮组", "PL-90 i=5", 1), ("减速机箱体", "PL-90", 1),
           ("六角螺栓", "M6×20", 6)],
          version=1, status=4, desc="首版", eff="2020-07-01 00:00:00",
          end="2022-12-31 17:30:00")
    f.bom("行星减速机", "PL-90 i=5",
          [("行星齿轮组", "PL-90 i=5", 1), ("减速机箱体", "PL-90", 1),
           ("内六角螺钉", "M6×16", 6), ("纸箱", "300×200×200", 1)],
          version=2, desc="改用内六角螺钉", eff="2023-01-01 08:00:00")
    f.bom("行星减速机", "PL-90 i=10",
          [("行星齿轮组", "PL-90 i=5", 2), ("减速机箱体", "PL-90", 1),
           ("内六角螺钉", "M6×16", 6)])
    f.bom("行星减速机", "PL-120 i=10",
          [("行星齿轮组", "PL-120 i=10", 1), ("减速机箱体", "PL-120", 1),
           ("内六角螺钉", "M6×16", 8), ("木箱", "1000×800×800", 1)])
    f.bom("行星减速机", "PL-120 i=10",
          [("行星齿轮组", "PL-120 i=10", 1), ("减速机箱体", "PL-120", 1),
           ("六角螺栓", "M8×25", 8)],
          bomtype=2, ident=("A2", "标准螺栓"), status=4,
          eff="2021-09-01 00:00:00", end="2023-06-30 00:00:00")
    # An export model with an inch bore: its model holds quotes.
    f.bom("英制蜗轮减速机", "NMRV-050 3/4'' 孔",
          [("蜗轮副", "WPA-60 i=10", 1), ("减速机箱体", "WPA-60", 1),
           ("六角螺栓", "M6×25", 4)],
          ident=None, desc="出口美国", eff="2023-08-21 00:00:00")
    # A geared motor: one BOM of a type the system does not know, and a new
    # main BOM nobody has filled in yet.
    f.bom("减速电机", "WPA-80 0.75KW",
          [("蜗轮蜗杆减速机", "WPA-80 i=20", 1), ("联轴器组件", "LX-30", 1)],
          bomtype=3, ident=("T1", "临时借用"), status=3)
    f.bom("减速电机", "WPA-80 0.75KW", [], status=1, desc="待编制",
          eff="2024-06-03 00:00:00", user=None)

    # Control cabinets.
    cabinets = [("3KW", "QD-3KW", "600×400×1800", "DY-24V"),
                ("7.5KW", "QD-7.5KW", "800×600×2000", "DY-24V"),
                ("15KW", "QD-7.5KW", "800×600×2000", "DY-48V")]
    for model, drive, body, power in cabinets:
        f.bom("变频控制柜", model,
              [("柜体", body, 1), ("安装底板", "600×1800", 1),
               ("主控板", "ZK-01 V2.0", 1), ("驱动板", drive, 1),
               ("电源板", power, 1), ("显示板", "XS-LCD", 1),
               ("尼龙扎带", "4×200", 50, {"fixed": 1}),
               ("膨胀螺栓", "M10×100", 4),
               ("木箱", "1200×1000×2100", 1),
               ("铭牌", "控制柜", 1), ("说明书", "控制柜", 1)])
    f.bom("变频控制柜", "7.5KW",
          [("柜体", "800×600×2000", 1), ("主控板", "ZK-02 V1.0", 1),
           ("驱动板", "QD-7.5KW", 1), ("电源板", "DY-24V", 1)],
          bomtype=2, ident=("A1", "国产主控"), eff="2023-11-08 10:15:00")
    f.bom("变频控制柜", "7.5KW",
          [("柜体", "800×600×2000", 1), ("主控板", "ZK-01 V1.0", 1),
           ("驱动板", "QD-7.5KW", 1)],
          bomtype=2, ident=("A2", None), status=2,
          desc="锁定待查")
    for model, inputs in (("S-16点", 1), ("S-32点", 2)):
        f.bom("PLC控制柜", model,
              [("柜体", "600×400×1800", 1), ("主控板", "ZK-01 V2.0", inputs),
               ("电源板", "DY-24V", 1), ("显示板", "XS-LED", 1),
               ("尼龙扎带", "3×150", (75, 2), {"fixed": 1})])
    f.bom("配电箱", "XL-21",
          [("柜体", "600×300×800", 1), ("六角螺栓", "M6×20", 4),
           ("缠绕膜", "500mm×20μm", (1, 10), {"byproduct": 1,
                                           "remark": "回收"})],
          version=1)
    f.bom("配电箱", "XL-21",
          [("柜体", "600×300×800", 1), ("内六角螺钉", "M4×10", 4)],
          version=2, status=1, desc="第二版", eff="2024-01-15 00:00:00",
          user="李工")
    f.bom("PLC控制柜", "S-16点",
          [("柜体", "600×300×800", 1), ("主控板", "ZK-01 V1.0", 1)],
          bomtype=2, ident=("A1", "小型柜"), status=4,
          eff="2020-05-06 13:45:30", end="2022-05-06 00:00:00")
    return f


def main():
    f = build()
    out = ["-- Content of the demo database, written by make_demo_data.py.",
           "-- A small factory making gear reducers and control cabinets.",
           ""]
    insert(out, "InventoryClass",
           ["cInvCCode", "cInvCName", "iInvCGrade", "binvCEnd"], CLASSES,
           "Class tree; 紧固件 is a leaf under two codes.")
    insert(out, "ComputationUnit", ["cComunitCode", "cComUnitName"], UNITS)
    insert(out, "Department", ["cDepCode", "cDepName"], DEPARTMENTS)
    insert(out, "inventory",
           ["cInvCode", "cInvAddCode", "cInvName", "cInvStd", "cInvCCode",
            "cComUnitCode"], f.items)
    insert(out, "bas_part", ["PartId", "InvCode", "Free1", "Free2"], f.parts)
    insert(out, "bom_bom",
           ["BomId", "BomType", "Version", "VersionDesc", "VersionEffDate",
            "VersionEndDate", "IdentCode", "IdentDesc", "Status", "CreateUser",
            "CreateDate"], f.boms)
    insert(out, "bom_parent", ["BomId", "ParentId"], f.parents)
    insert(out, "bom_opcomponent",
           ["OpComponentId", "BomId", "SortSeq", "ComponentId", "BaseQtyN",
            "BaseQtyD", "AuxBaseQtyN", "ByproductFlag", "FVFlag", "cDepCode",
            "WhCode", "Remark"], f.components)
    with open("demo_data.sql", "w", encoding="utf-8", newline="\n") as file:
        file.write("\n".join(out))
    print("%d items, %d BOMs, %d components" %
          (len(f.items), len(f.boms), len(f.components)))


if __name__ == "__main__":
    main()
