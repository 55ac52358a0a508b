<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fa" sourcelanguage="en">
<context>
    <name>QtMessages</name>
    <message>
        <source>OK</source>
        <translation>تأیید</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>بله</translation>
    </message>
    <message>
        <source>No</source>
        <translation>خیر</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>انصراف</translation>
    </message>
</context>
<context>
    <name>TavolinApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>خطای ناشناخته</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>حافظه کافی نیست</translation>
    </message>
    <message>
        <source>Subscript out of range: %1</source>
        <translation>اندیس خارج از محدوده: %1</translation>
    </message>
    <message>
        <source>Overflow: %1</source>
        <translation>سرریز: %1</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument: %1</source>
        <translation>فراخوانی یا آرگومان نامعتبر: %1</translation>
    </message>
</context>
<context>
    <name>tavo::ui::ElementList</name>
    <message>
        <source>Elements</source>
        <translation>اعضا</translation>
    </message>
</context>
<context>
    <name>tavo::ui::ElementListModel</name>
    <message>
        <source>Governing ratio %1 (%2, %3)</source>
        <translation>نسبت حاکم %1 (%2, %3)</translation>
    </message>
    <message>
        <source>Design is not OK!</source>
        <translation>طراحی مناسب نیست!</translation>
    </message>
    <message>
        <source>Error: </source>
        <translation>خطا: </translation>
    </message>
    <message>
        <source>Warning: </source>
        <translation>هشدار: </translation>
    </message>
    <message>
        <source>error, no verdict</source>
        <translation>خطا، بدون نتیجهٔ طراحی</translation>
    </message>
    <message>
        <source>with warnings</source>
        <translation>دارای هشدار</translation>
    </message>
</context>
<context>
    <name>tavo::ui::ProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation>انصراف</translation>
    </message>
    <message>
        <source>Designing the elements...</source>
        <translation>در حال طراحی اعضا...</translation>
    </message>
</context>
<context>
    <name>tavo::ui::TavolinProgram</name>
    <message>
        <source>%1 with forces</source>
        <translation>%1 عضو با نیرو</translation>
    </message>
    <message>
        <source>Forces read from %1</source>
        <translation>نیروها از %1 خوانده شد</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... و %1 مورد دیگر</translation>
    </message>
    <message>
        <source>The forces file %1:
%2</source>
        <translation>فایل نیروها %1:
%2</translation>
    </message>
    <message>
        <source>Forces</source>
        <translation>نیروها</translation>
    </message>
    <message>
        <source>The input file could not be read; use Exit to return.</source>
        <translation>فایل ورودی خوانده نشد؛ برای بازگشت خروج را بزنید.</translation>
    </message>
    <message>
        <source>Only input files (.Ardekon) can be opened: %1</source>
        <translation>فقط فایل‌های ورودی (.Ardekon) باز می‌شوند: %1</translation>
    </message>
    <message>
        <source>The file does not exist: %1</source>
        <translation>این فایل وجود ندارد: %1</translation>
    </message>
    <message>
        <source>System Units: %1</source>
        <translation>واحدهای سیستم: ⁦%1⁩</translation>
    </message>
    <message>
        <source>Designing the elements...</source>
        <translation>در حال طراحی اعضا...</translation>
    </message>
    <message>
        <source>Too many elements to display! Only the first %1 are shown.</source>
        <translation>تعداد اعضا برای نمایش زیاد است! فقط %1 عضو نمایش داده می‌شود.</translation>
    </message>
    <message>
        <source>%1 elements, %2 not OK, %3 with errors</source>
        <translation>%1 عضو، %2 نامناسب، %3 دارای خطا</translation>
    </message>
    <message>
        <source>%1 elements, %2 not OK</source>
        <translation>%1 عضو، %2 نامناسب</translation>
    </message>
    <message>
        <source>Element %1 of %2</source>
        <translation>عضو %1 از %2</translation>
    </message>
    <message>
        <source>The input file was not saved; it is as it was.
%1</source>
        <translation>فایل ورودی ذخیره نشد و همان‌گونه که بود مانده است.
%1</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>ذخیره شد: %1</translation>
    </message>
    <message>
        <source>Elements were changed and not saved. Save them in the input file?</source>
        <translation>اعضا تغییر کرده‌اند و ذخیره نشده‌اند. در فایل ورودی ذخیره شوند؟</translation>
    </message>
    <message>
        <source>Exiting...</source>
        <translation>در حال خروج</translation>
    </message>
    <message>
        <source>You are about to stop this module and return to the main menu. Are You Sure?</source>
        <translation>شما در حال توقف این بخش و بازگشت به منوی اصلی هستید. آیا مطمئن هستید؟</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>خطا</translation>
    </message>
    <message>
        <source>Help file does not exist for this module!</source>
        <translation>فایل راهنما برای این بخش وجود ندارد!</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>راهنما</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>راهنمای محاسبات</translation>
    </message>
    <message>
        <source>Move your mouse over the constants on the left to see the definition for each constant.</source>
        <translation>برای دیدن تعریف هر ثابت، نشانگر موس را روی ثابت‌های سمت چپ ببرید.</translation>
    </message>
    <message>
        <source>No calculator program was found. Install one of gnome-calculator, kcalc, galculator, qalculate-gtk or xcalc.</source>
        <translation>برنامه ماشین حساب پیدا نشد. یکی از gnome-calculator، kcalc، galculator، qalculate-gtk یا xcalc را نصب کنید.</translation>
    </message>
    <message>
        <source>Calculator</source>
        <translation>ماشین حساب</translation>
    </message>
    <message>
        <source>Writing the result tables...</source>
        <translation>در حال نوشتن جدول‌های نتایج...</translation>
    </message>
    <message>
        <source>Do you want to view the output file?<byte value="xd"/>
<byte value="xd"/>
Output filenames:<byte value="xd"/>
%1<byte value="xd"/>
%2</source>
        <translation>آیا می‌خواهید فایل خروجی را ببینید؟<byte value="xd"/>
<byte value="xd"/>
نام فایل‌های خروجی:<byte value="xd"/>
%1<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>چاپ</translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation>چاپگر راه‌اندازی نشد.</translation>
    </message>
</context>
<context>
    <name>tavo::ui::frmConstant</name>
    <message>
        <source>asd89: allowable stresses</source>
        <translation>asd89: تنش‌های مجاز</translation>
    </message>
    <message>
        <source>AISC 360-16, LRFD</source>
        <translation>AISC 360-16، روش LRFD</translation>
    </message>
    <message>
        <source>AISC 360-16, ASD</source>
        <translation>AISC 360-16، روش ASD</translation>
    </message>
    <message>
        <source>Design Constants</source>
        <translation>ثابت‌های طراحی</translation>
    </message>
    <message>
        <source>Design constants</source>
        <translation>ثابت‌های طراحی</translation>
    </message>
    <message>
        <source>Click to change display units</source>
        <translation>برای تغییر واحدهای نمایش کلیک کنید</translation>
    </message>
    <message>
        <source>Design code</source>
        <translation>آیین‌نامه طراحی</translation>
    </message>
    <message>
        <source>Help on the allowable-stress rules of the design code</source>
        <translation>راهنمای ضوابط تنش مجاز آیین‌نامه طراحی</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>ادامه</translation>
    </message>
    <message>
        <source>Ok.</source>
        <translation>درست است.</translation>
    </message>
    <message>
        <source>System Units: %1</source>
        <translation>واحدهای سیستم: ⁦%1⁩</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a number. Please type a number (%3).</source>
        <translation>%1: «%2» عدد نیست. لطفاً یک عدد وارد کنید (⁦%3⁩).</translation>
    </message>
    <message>
        <source>Please recheck your constants! Do you want to recheck now?</source>
        <translation>لطفاً ثابت‌ها را دوباره بررسی کنید! آیا هم‌اکنون بررسی می‌کنید؟</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>هشدار!</translation>
    </message>
    <message>
        <source>The design code help is not installed.</source>
        <translation>راهنمای آیین‌نامه طراحی نصب نشده است.</translation>
    </message>
</context>
<context>
    <name>tavo::ui::frmDraw</name>
    <message>
        <source>Detailing</source>
        <translation>جزئیات</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>بزرگنمایی</translation>
    </message>
    <message>
        <source>Zoom Back</source>
        <translation>کوچک‌نمایی</translation>
    </message>
    <message>
        <source>Original Size</source>
        <translation>اندازه اصلی</translation>
    </message>
    <message>
        <source>Window Zoom</source>
        <translation>بزرگنمایی پنجره‌ای</translation>
    </message>
    <message>
        <source>Design is OK</source>
        <translation>طراحی مناسب است</translation>
    </message>
    <message>
        <source>Design is not OK!</source>
        <translation>طراحی مناسب نیست!</translation>
    </message>
    <message>
        <source>There is no drawing to export.</source>
        <translation>نقشه‌ای برای ذخیره نیست.</translation>
    </message>
    <message>
        <source>Export drawing...</source>
        <translation>ذخیره نقشه...</translation>
    </message>
    <message>
        <source>The drawing was not saved: %1</source>
        <translation>نقشه ذخیره نشد: %1</translation>
    </message>
</context>
<context>
    <name>tavo::ui::frmEnter</name>
    <message>
        <source>Element table entry</source>
        <translation>ورود جدولی اعضا</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>عنوان</translation>
    </message>
    <message>
        <source>Click to change display units</source>
        <translation>برای تغییر واحدهای نمایش کلیک کنید</translation>
    </message>
    <message>
        <source>Variables</source>
        <translation>متغیرها</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>مقطع</translation>
    </message>
    <message>
        <source>Section family: a rolled profile from the catalogue or a plated section</source>
        <translation>خانوادهٔ مقطع: نیمرخ نوردشده از جدول یا مقطع ورقی</translation>
    </message>
    <message>
        <source>Member length</source>
        <translation>طول عضو</translation>
    </message>
    <message>
        <source>Dimensions</source>
        <translation>ابعاد</translation>
    </message>
    <message>
        <source>Element line</source>
        <translation>سطر عضو</translation>
    </message>
    <message>
        <source>Kind of member</source>
        <translation>نوع عضو</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>پارامترها</translation>
    </message>
    <message>
        <source>Show or hide the parameter sketch</source>
        <translation>نمایش یا پنهان کردن شکل پارامترها</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>افزودن</translation>
    </message>
    <message>
        <source>Keep this element and enter the next</source>
        <translation>نگه‌داشتن این عضو و ورود عضو بعدی</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>پایان</translation>
    </message>
    <message>
        <source>Write the input file and design the elements</source>
        <translation>نوشتن فایل ورودی و طراحی اعضا</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>ادامه</translation>
    </message>
    <message>
        <source>Column/Beam/Bracing</source>
        <translation>ستون/تیر/مهاربند</translation>
    </message>
    <message>
        <source>Warning! Please change the units only when ID=1; otherwise, the new unit settings will be applied to all the previous IDs.<byte value="xd"/>
Do you still want to set the units?</source>
        <translation>هشدار! لطفاً واحدها را فقط هنگامی تغییر دهید که ID=1 است؛ در غیر این صورت تنظیمات جدید واحدها بر همهٔ IDهای قبلی اعمال می‌شود.<byte value="xd"/>
آیا همچنان می‌خواهید واحدها را تنظیم کنید؟</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>هشدار!</translation>
    </message>
    <message>
        <source>The input file could not be written; it is left as it was. %1</source>
        <translation>فایل ورودی نوشته نشد؛ همان‌گونه که بود باقی ماند. %1</translation>
    </message>
    <message>
        <source>Please type a number.</source>
        <translation>لطفاً یک عدد وارد کنید.</translation>
    </message>
</context>
<context>
    <name>tavo::ui::frmMDI</name>
    <message>
        <source>Open forces...</source>
        <translation>باز کردن نیروها...</translation>
    </message>
    <message>
        <source>Open forces file</source>
        <translation>باز کردن فایل نیروها</translation>
    </message>
    <message>
        <source>Forces files (*.csv)</source>
        <translation>فایل‌های نیرو (*.csv)</translation>
    </message>
    <message>
        <source>File</source>
        <translation>فایل</translation>
    </message>
    <message>
        <source>New</source>
        <translation>جدید</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>باز کردن</translation>
    </message>
    <message>
        <source>Recent files</source>
        <translation>پرونده‌های اخیر</translation>
    </message>
    <message>
        <source>Save input</source>
        <translation>ذخیره ورودی</translation>
    </message>
    <message>
        <source>Next ID</source>
        <translation>عضو بعدی</translation>
    </message>
    <message>
        <source>Previous ID</source>
        <translation>عضو قبلی</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>چاپ</translation>
    </message>
    <message>
        <source>Export drawing...</source>
        <translation>ذخیره نقشه...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>خروج</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>ویرایش</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>برش</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>رونوشت</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>چسباندن</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>حذف</translation>
    </message>
    <message>
        <source>View</source>
        <translation>نمایش</translation>
    </message>
    <message>
        <source>Show Grid</source>
        <translation>نمایش شبکه</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>ابزارها</translation>
    </message>
    <message>
        <source>Calculator</source>
        <translation>ماشین حساب</translation>
    </message>
    <message>
        <source>Constants</source>
        <translation>ثابت‌ها</translation>
    </message>
    <message>
        <source>Make DXF (Autocad)</source>
        <translation>ساخت فایل DXF (اتوکد)</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>گزینه‌ها</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>قلم</translation>
    </message>
    <message>
        <source>Farsi (Unicode)</source>
        <translation>فارسی (یونیکد)</translation>
    </message>
    <message>
        <source>Farsi (Font)</source>
        <translation>فارسی (قلم)</translation>
    </message>
    <message>
        <source>English</source>
        <translation>انگلیسی</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>رنگ</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>راهنما</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>راهنمای محاسبات</translation>
    </message>
    <message>
        <source>About</source>
        <translation>درباره</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>قبلی</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>بعدی</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>فهرست</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>اطلاعات</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>توقف</translation>
    </message>
    <message>
        <source>Stop and return to main menu</source>
        <translation>توقف و بازگشت به منوی اصلی</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>نتایج</translation>
    </message>
    <message>
        <source>Show Result Tables</source>
        <translation>نمایش جدول‌های نتایج</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>واحدها</translation>
    </message>
    <message>
        <source>Change Units</source>
        <translation>تغییر واحدها</translation>
    </message>
    <message>
        <source>Autocad</source>
        <translation>اتوکد</translation>
    </message>
    <message>
        <source>Generates DXF File for AutoCAD</source>
        <translation>ساخت فایل DXF برای اتوکد</translation>
    </message>
    <message>
        <source>Open input file</source>
        <translation>باز کردن فایل ورودی</translation>
    </message>
    <message>
        <source>Input files (*.Ardekon *.ardekon)</source>
        <translation>فایل‌های ورودی (*.Ardekon *.ardekon)</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(هیچ)</translation>
    </message>
</context>
<context>
    <name>tavo::ui::frmMain</name>
    <message>
        <source>Find lighter section</source>
        <translation>یافتن مقطع سبک‌تر</translation>
    </message>
    <message>
        <source>The ten lightest sections of this family that pass for this member; click one to load it</source>
        <translation>ده مقطع سبک‌ترِ این خانواده که برای این عضو کافی‌اند؛ برای بارگذاری، روی یکی کلیک کنید</translation>
    </message>
    <message>
        <source>No candidate set holds sections like this one.</source>
        <translation>هیچ مجموعه‌ای از مقاطع، مقطعی مانند این ندارد.</translation>
    </message>
    <message>
        <source>No section of %1 passes for this member.</source>
        <translation>هیچ مقطعی از %1 برای این عضو کافی نیست.</translation>
    </message>
    <message>
        <source>The lightest sections of %1 that pass, with weight (kg/m) and ratio:</source>
        <translation>سبک‌ترین مقاطع %1 که کافی‌اند، با وزن (کیلوگرم بر متر) و نسبت:</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>مقطع</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>پارامترها</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>مشخصات</translation>
    </message>
    <message>
        <source>Formulas</source>
        <translation>روابط</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>خلاصه</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>ذخیره</translation>
    </message>
    <message>
        <source>Save the report as a rich-text file</source>
        <translation>ذخیره گزارش به صورت فایل RTF</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>واگرد</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>از نو</translation>
    </message>
    <message>
        <source>Left click: +, right click: -</source>
        <translation>کلیک چپ: افزایش، کلیک راست: کاهش</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>ستون</translation>
    </message>
    <message>
        <source>Beam</source>
        <translation>تیر</translation>
    </message>
    <message>
        <source>Bracing</source>
        <translation>مهاربند</translation>
    </message>
    <message>
        <source>Please type a number.</source>
        <translation>لطفاً یک عدد وارد کنید.</translation>
    </message>
    <message>
        <source>After editing, press Enter to continue</source>
        <translation>پس از ویرایش، برای ادامه Enter را بزنید</translation>
    </message>
    <message>
        <source>The report could not be saved: %1</source>
        <translation>گزارش ذخیره نشد: %1</translation>
    </message>
    <message>
        <source>Output File</source>
        <translation>فایل خروجی</translation>
    </message>
    <message>
        <source>Output File Name?</source>
        <translation>نام فایل خروجی؟</translation>
    </message>
    <message>
        <source>File was saved as %1</source>
        <translation>فایل با این نام ذخیره شد: %1</translation>
    </message>
</context>
<context>
    <name>tavo::ui::frmOutput</name>
    <message>
        <source>Output file</source>
        <translation>فایل خروجی</translation>
    </message>
</context>
<context>
    <name>tavo::ui::frmResults</name>
    <message>
        <source>Results</source>
        <translation>نتایج</translation>
    </message>
</context>
<context>
    <name>tavo::ui::frmUnits</name>
    <message>
        <source>Units</source>
        <translation>واحدها</translation>
    </message>
    <message>
        <source>Display units</source>
        <translation>واحدهای نمایش</translation>
    </message>
    <message>
        <source>Force</source>
        <translation>نیرو</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>طول</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>تأیید</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>انصراف</translation>
    </message>
</context>
</TS>
